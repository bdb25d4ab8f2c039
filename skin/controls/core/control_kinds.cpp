#include "skin/controls/core/control_kinds.h"

#include "skin/controls/core/kind_rules.h"
#include "skin/data/core/skin_text.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace skin {

namespace {

constexpr std::size_t kMaxKindLength = 50;

using K = SkinnerKind;
using M = SkinnerMode;
using C = ChildDiscovery;

// ---- the decider's own rules: classes that stay unskinned, containers whose children alone are
// skinned, and embedded scroll bars (ranks between those of the kinds' rules they stand among).

constexpr TKindRule kOwnClassMap[] = {
    {190, "embedscrollbar", nullptr, xcScrollbar, Decide(K::EmbedScrollbar)},
    {200, "container", nullptr, std::nullopt, Decide(K::ChildrenOnly, M::Normal, C::Before)},
};

constexpr TKindRule kOwnClasses[] = {
    {20, "TFRDESIGNERPAGE"},
    {30, "TFRPBOX"},
    {100, "TMVCPANEL", nullptr, std::nullopt, Decide(K::ChildrenOnly, M::Normal, C::Before)},
};

constexpr ControlDecision kFacePanel = FaceColour(Decide(K::ChildrenOnly, M::Normal, C::Before));

constexpr TKindRule kOwnForeign[] = {
    {90, "systreeview32"},
    {110, "tpanel", nullptr, std::nullopt, kFacePanel},
    {120, "ttntpanel.unicodeclass", nullptr, std::nullopt, kFacePanel},
    {130, "ttntsilentpaintpanel.unicodeclass", nullptr, std::nullopt, kFacePanel},
    {180, "tsilentpaintpanel", nullptr, std::nullopt, FaceColour({})},
    // The shell's file view inside file dialogs holds a list view whose bars are skinned.
    {220, "shelldll_defview", nullptr, std::nullopt, Decide(K::ChildrenOnly, M::Normal, C::Before)},
};

const TKindRules kOwnRules{kOwnClassMap, kOwnClasses, kOwnForeign, {}};

} // namespace

const TKindRules kNoKindRules{};

namespace {

#define CONTROL_KIND(rules, descriptor) &rules,
const auto kAllKindRules = std::to_array<const TKindRules*>({
#include "skin/controls/control_table.inc"
    &kOwnRules,
});
#undef CONTROL_KIND

// The rules of a set of kinds for one table, by rank (rules of equal rank in the kinds' order).
using TRuleList = std::vector<const TKindRule*>;

TRuleList RulesByRank(std::span<const TKindRules* const> kinds,
                      std::span<const TKindRule> TKindRules::*table) {
  TRuleList rules;
  for (const TKindRules* kind : kinds)
    for (const TKindRule& rule : kind->*table)
      rules.push_back(&rule);
  std::stable_sort(rules.begin(), rules.end(),
                   [](const TKindRule* a, const TKindRule* b) { return a->rank < b->rank; });
  return rules;
}

struct TRuleBook {
  TRuleList classMap, classes, foreign, embedded;

  explicit TRuleBook(std::span<const TKindRules* const> kinds)
      : classMap(RulesByRank(kinds, &TKindRules::classMap)),
        classes(RulesByRank(kinds, &TKindRules::classes)),
        foreign(RulesByRank(kinds, &TKindRules::foreign)),
        embedded(RulesByRank(kinds, &TKindRules::embedded)) {}
};

// The book of the table of kinds is made once; other sets of kinds (tests) get theirs per call.
template <class Use> auto WithBook(std::span<const TKindRules* const> kinds, Use&& use) {
  if (kinds.data() == kAllKindRules.data() && kinds.size() == kAllKindRules.size()) {
    static const TRuleBook book(kAllKindRules);
    return use(book);
  }
  return use(TRuleBook(kinds));
}

// What a table does when the first rule that matches wants a member the skin lacks.
enum class TMissingMember {
  Unskinned, // the control stays unskinned
  NextRule,  // the rules after it are tried
};

// The first rule of `rules` that matches decides.
ControlDecision FirstRule(const TRuleList& rules, const TRuleInput& in, TMissingMember missing) {
  for (const TKindRule* rule : rules) {
    if (!rule->Matches(in)) continue;
    if (rule->member && !in.members.Contains(*rule->member)) {
      if (missing == TMissingMember::NextRule) continue;
      return {};
    }
    ControlDecision d = rule->decision;
    if (rule->refine) rule->refine(d, in);
    return d;
  }
  return {};
}

std::optional<std::string> FindClassMapKind(const std::vector<std::string>& skin3rd,
                                            const std::string& className) {
  const std::string prefix = AsciiLower(className) + "=";
  for (const std::string& line : skin3rd) {
    if (AsciiLower(line).compare(0, prefix.size(), prefix) != 0) continue;
    return line.substr(line.find('=') + 1, kMaxKindLength);
  }
  return std::nullopt;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const SkinnerKind& kind) {
  return out << (kind == SkinnerKind::None ? std::string_view("None") : kind.Name());
}

std::ostream& operator<<(std::ostream& out, const SkinnerMode& mode) {
  return out << (mode == SkinnerMode::Normal ? std::string_view("Normal") : mode.Name());
}

bool ControlFacts::Has(std::string_view trait) const {
  return std::find(traits.begin(), traits.end(), trait) != traits.end();
}

void ControlFacts::Add(std::string_view trait) {
  if (!Has(trait)) traits.emplace_back(trait);
}

bool TKindRule::Matches(const TRuleInput& in) const {
  return (!name || in.name == name) && (!when || when(in));
}

std::span<const TKindRules* const> AllKindRules() {
  return kAllKindRules;
}

std::string ClassMapKind(const std::vector<std::string>& skin3rd, const std::string& className) {
  return FindClassMapKind(skin3rd, className).value_or("");
}

ControlDecision DecideControl(std::span<const TKindRules* const> kinds, const ControlFacts& control,
                              const std::vector<std::string>& skin3rd, TSkinControlTypes members,
                              bool skinHasTabs) {
  return WithBook(kinds, [&](const TRuleBook& book) {
    if (auto kind = FindClassMapKind(skin3rd, control.className)) {
      ControlDecision d =
          FirstRule(book.classMap, {control, AsciiLower(*kind), members, skinHasTabs},
                    TMissingMember::Unskinned);
      d.fromClassMap = true; // even when the line said nil
      return d;
    }
    return FirstRule(book.classes, {control, AsciiUpper(control.className), members, skinHasTabs},
                     TMissingMember::NextRule);
  });
}

ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::string>& skin3rd,
                              TSkinControlTypes members, bool skinHasTabs) {
  return DecideControl(AllKindRules(), control, skin3rd, members, skinHasTabs);
}

ControlDecision DecideForeignWindow(std::span<const TKindRules* const> kinds,
                                    const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members) {
  ControlFacts window;
  window.className = windowClass;
  window.windowed = true;
  window.style = style;
  return WithBook(kinds, [&](const TRuleBook& book) {
    return FirstRule(book.foreign, {window, AsciiLower(windowClass), members, false},
                     TMissingMember::Unskinned);
  });
}

ControlDecision DecideForeignWindow(const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members) {
  return DecideForeignWindow(AllKindRules(), windowClass, style, members);
}

ControlDecision DecideEmbeddedBars(std::span<const TKindRules* const> kinds,
                                   const ControlFacts& child) {
  return WithBook(kinds, [&](const TRuleBook& book) {
    return FirstRule(book.embedded, {child, "", {}, false}, TMissingMember::Unskinned);
  });
}

ControlDecision DecideEmbeddedBars(const ControlFacts& child) {
  return DecideEmbeddedBars(AllKindRules(), child);
}

TLateOffer LateOfferFor(std::span<const TKindRules* const> kinds, const std::string& windowClass,
                        std::uint32_t style) {
  for (const TKindRules* kind : kinds)
    for (const TLateWindowRule& rule : kind->late)
      if (EqualsIgnoringAsciiCase(windowClass, rule.windowClass) &&
          (style & rule.style) == rule.style)
        return rule.offer;
  return TLateOffer::AsControl;
}

TLateOffer LateOfferFor(const std::string& windowClass, std::uint32_t style) {
  return LateOfferFor(AllKindRules(), windowClass, style);
}

std::vector<SkinnerKind> KindsNamedByRules(std::span<const TKindRules* const> kinds) {
  std::vector<SkinnerKind> named;
  auto note = [&](SkinnerKind kind) {
    if (kind != SkinnerKind::None && std::find(named.begin(), named.end(), kind) == named.end())
      named.push_back(kind);
  };
  for (const TKindRules* kind : kinds)
    for (auto table : {kind->classMap, kind->classes, kind->foreign})
      for (const TKindRule& rule : table) {
        note(rule.decision.kind);
        note(rule.decision.childKind);
      }
  return named;
}

} // namespace skin
