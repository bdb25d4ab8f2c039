// Which control skinner a child control of a skinned form gets, decided from plain facts so that
// it can be tested alone. Every kind of control skin brings its own rules as data (a TKindRules,
// in its unit's part under controls/core/), and the table of kinds (controls/control_table.inc)
// lists them; the decider here reads them all. Rules come in three tables, one per kind of name:
// the class map (`Skin3rd` lines naming a kind for a class), the rules for the program's own
// control classes, and the rules for foreign child windows (inside system dialogs), by window
// class and style. Within a table the rules of all kinds are tried by rank, lowest first, and the
// first rule that matches applies.
#pragma once

#include "skin/data/core/skin_options.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// A name that stands for itself: two names are the same when their texts are. The empty name is
// the default. `Tag` keeps names of different uses apart.
template <class Tag> class TSkinnerName {
public:
  constexpr TSkinnerName() = default;
  constexpr explicit TSkinnerName(std::string_view name) : FName(name) {}
  constexpr std::string_view Name() const { return FName; }
  constexpr bool operator==(const TSkinnerName&) const = default;

private:
  std::string_view FName;
};

// A kind of control skin, by the name its row in the table of kinds gives it. The empty name
// leaves a control unskinned.
class SkinnerKind : public TSkinnerName<SkinnerKind> {
public:
  using TSkinnerName::TSkinnerName;

  static const SkinnerKind None;           // stays unskinned
  static const SkinnerKind ChildrenOnly;   // no skinner of its own; its children are discovered
  static const SkinnerKind EmbedScrollbar; // a scroll-bar skinner for each child that has bars
};

inline constexpr SkinnerKind SkinnerKind::None{};
inline constexpr SkinnerKind SkinnerKind::ChildrenOnly{"ChildrenOnly"};
inline constexpr SkinnerKind SkinnerKind::EmbedScrollbar{"EmbedScrollbar"};

// A variant a kind's skin is created in, by a name the kind's rules give it and its creator
// reads ("PngGlyph": a bit or speed button reading the PngImage property). The empty name is the
// kind's usual skin.
class SkinnerMode : public TSkinnerName<SkinnerMode> {
public:
  using TSkinnerName::TSkinnerName;

  static const SkinnerMode Normal;
};

inline constexpr SkinnerMode SkinnerMode::Normal{};

// The kind's name, or "None"; the mode's name, or "Normal".
std::ostream& operator<<(std::ostream& out, const SkinnerKind& kind);
std::ostream& operator<<(std::ostream& out, const SkinnerMode& mode);

// "Button"_kind: the kind of that name; "PngGlyph"_mode: the mode of that name.
constexpr SkinnerKind operator""_kind(const char* name, std::size_t size) {
  return SkinnerKind(std::string_view(name, size));
}
constexpr SkinnerMode operator""_mode(const char* name, std::size_t size) {
  return SkinnerMode(std::string_view(name, size));
}

// When the children of a control are discovered, relative to attaching its own skinner.
enum class ChildDiscovery { None, Before, After };

struct ControlDecision {
  SkinnerKind kind = SkinnerKind::None;
  SkinnerMode mode = SkinnerMode::Normal;
  ChildDiscovery children = ChildDiscovery::None;
  // Radio and check groups: what each child gets before the group itself (None: nothing).
  SkinnerKind childKind = SkinnerKind::None;
  SkinnerMode childMode = SkinnerMode::Normal;
  bool setTransparent = false;   // the control's Transparent property becomes True first
  bool buttonFaceColour = false; // the control takes the skin's ButtonFace colour
  bool fromClassMap = false;     // decided by a Skin3rd line (even if that line said nil)

  bool operator==(const ControlDecision&) const = default;
};

// A trait's name as a template argument (Is<"TrackBar"> in the rules, ProbeIsA<"TrackBar", ...>
// in the probes).
template <std::size_t N> struct TTraitName {
  char text[N];
  constexpr TTraitName(const char (&name)[N]) { std::copy_n(name, N, text); }
};

// What the rules look at for one control of the program.
struct ControlFacts {
  std::string className; // e.g. "TButton"
  bool windowed = false;
  std::uint32_t style = 0;  // window style, for windowed controls
  bool hasBorder = false;   // its window is larger than its client area
  std::string kindProperty; // value of its Kind property, if any
  int numButtons = -1;      // value of its NumButtons property, -1 when absent
  // What the kinds' probes found the control to be ("TrackBar": the class or one of its
  // ancestors is the framework's track bar, and so on).
  std::vector<std::string> traits;

  bool Has(std::string_view trait) const;
  void Add(std::string_view trait);
};

// What a rule looks at: the control, and the name its table matches (the class map's kind in
// lower case, the control's class in upper case, or a foreign window's class in lower case).
struct TRuleInput {
  const ControlFacts& control;
  std::string name;
  TSkinControlTypes members;
  bool skinHasTabs = false;
};

// One rule: which controls it is for (a name, a condition, or both), the SkinControls member the
// skin must have, and what those controls get. `refine` finishes decisions that depend on the
// control.
struct TKindRule {
  int rank = 0;                                          // the order in its table
  const char* name = nullptr;                            // null: any name
  bool (*when)(const TRuleInput&) = nullptr;             // null: always
  std::optional<TSkinControlType> member = std::nullopt; // none: no member needed
  ControlDecision decision = {};                         // the default decision: unskinned
  void (*refine)(ControlDecision&, const TRuleInput&) = nullptr;

  bool Matches(const TRuleInput& in) const;
};

// How a child window made after its skinned window started is offered to that window's skin.
enum class TLateOffer {
  AsControl,  // posted, taken only if it is one of the program's controls
  AsWindow,   // posted, matched by its window class like the windows found at the start
  AtCreation, // matched at once by the skin of its parent window
};

// A window class whose windows made late are offered otherwise than as a control.
struct TLateWindowRule {
  const char* windowClass = nullptr; // compared without regard to case
  std::uint32_t style = 0;           // style bits the window must have
  TLateOffer offer = TLateOffer::AsControl;
};

// Everything a kind brings to the decider: its rules in each table, and how windows of its
// classes made late are offered.
struct TKindRules {
  std::span<const TKindRule> classMap; // by the kind a Skin3rd line names, lower case
  std::span<const TKindRule> classes;  // by the program's control class, upper case
  std::span<const TKindRule> foreign;  // by a foreign window's class, lower case
  std::span<const TLateWindowRule> late;
  // For each child of an EmbedScrollbar control, by its facts alone (any name, no member).
  std::span<const TKindRule> embedded = {};
};

// The rules of every kind in the table of kinds, and the decider's own (unskinned classes,
// containers whose children alone are skinned, embedded scroll bars).
std::span<const TKindRules* const> AllKindRules();

// A decision for a kind: helpers for the kinds' rule tables.
constexpr ControlDecision Decide(SkinnerKind kind, SkinnerMode mode = SkinnerMode::Normal,
                                 ChildDiscovery children = ChildDiscovery::None) {
  ControlDecision d;
  d.kind = kind;
  d.mode = mode;
  d.children = children;
  return d;
}
constexpr ControlDecision Transparent(ControlDecision d) {
  d.setTransparent = true;
  return d;
}
constexpr ControlDecision FaceColour(ControlDecision d) {
  d.buttonFaceColour = true;
  return d;
}

// The kind named by the class map for a class: the text after the first '=' of the first line
// that, lower-cased, starts with the lower-cased class name and '=' (at most 50 characters).
// Empty when no line names the class.
std::string ClassMapKind(const std::vector<std::string>& skin3rd, const std::string& className);

// The decision for a control of the program, by the rules of `kinds`.
ControlDecision DecideControl(std::span<const TKindRules* const> kinds, const ControlFacts& control,
                              const std::vector<std::string>& skin3rd, TSkinControlTypes members,
                              bool skinHasTabs);
ControlDecision DecideControl(const ControlFacts& control, const std::vector<std::string>& skin3rd,
                              TSkinControlTypes members, bool skinHasTabs);

// The decision for a child window that is not a control of the program, by its window class and
// style.
ControlDecision DecideForeignWindow(std::span<const TKindRules* const> kinds,
                                    const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members);
ControlDecision DecideForeignWindow(const std::string& windowClass, std::uint32_t style,
                                    TSkinControlTypes members);

// The skinner a child of an EmbedScrollbar control gets by the kinds' embedded rules (the
// scroll-bar skinner for a child with bars of its own); None when no rule takes it.
ControlDecision DecideEmbeddedBars(std::span<const TKindRules* const> kinds,
                                   const ControlFacts& child);
ControlDecision DecideEmbeddedBars(const ControlFacts& child);

// How a child window of this class and style, made late, is offered.
TLateOffer LateOfferFor(std::span<const TKindRules* const> kinds, const std::string& windowClass,
                        std::uint32_t style);
TLateOffer LateOfferFor(const std::string& windowClass, std::uint32_t style);

// Every kind that some rule's decision names (children's kinds included; kinds a refinement
// alone chooses are not seen here).
std::vector<SkinnerKind> KindsNamedByRules(std::span<const TKindRules* const> kinds);

} // namespace skin
