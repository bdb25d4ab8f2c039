#include "framework/persistent.h"

#include <mutex>
#include <typeindex>

namespace fw {

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

bool IsOrdinal(TPropKind kind) {
  return kind == TPropKind::Integer || kind == TPropKind::Enumeration || kind == TPropKind::Set;
}

} // namespace

int TPropInfo::OrdinalOf(const std::wstring& identifier) const {
  for (size_t i = 0; i < Identifiers.size(); ++i)
    if (SameText(Identifiers[i], identifier)) return static_cast<int>(i);
  return -1;
}

const TPropInfo* TPropertyList::Find(const std::wstring& name) const {
  for (const TPropInfo& p : props_)
    if (SameText(p.Name, name)) return &p;
  return nullptr;
}

void TPropertyList::Add(TPropInfo info) {
  // A descendant may redefine an ancestor's property (a published read-only one, say).
  for (TPropInfo& p : props_)
    if (SameText(p.Name, info.Name)) {
      p = std::move(info);
      return;
    }
  props_.push_back(std::move(info));
}

const TPropertyList& TPersistent::Properties() const {
  // Built on first use per class; property lists are only read afterwards.
  static std::map<std::type_index, TPropertyList> lists;
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  auto [it, added] = lists.try_emplace(std::type_index(typeid(*this)));
  if (added) DefineProperties(it->second);
  return it->second;
}

const TPropInfo* FindProperty(TPersistent& object, const std::wstring& name) {
  return object.Properties().Find(name);
}

std::optional<int> GetOrdProp(TPersistent& object, const std::wstring& name) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || !IsOrdinal(p->Kind)) return std::nullopt;
  return static_cast<int>(p->GetOrd(object));
}

bool SetOrdProp(TPersistent& object, const std::wstring& name, int value) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || !IsOrdinal(p->Kind) || !p->SetOrd) return false;
  p->SetOrd(object, value);
  return true;
}

std::optional<std::wstring> GetEnumProp(TPersistent& object, const std::wstring& name) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || p->Kind != TPropKind::Enumeration) return std::nullopt;
  auto ordinal = p->GetOrd(object);
  if (ordinal < 0 || static_cast<size_t>(ordinal) >= p->Identifiers.size()) return std::nullopt;
  return p->Identifiers[static_cast<size_t>(ordinal)];
}

bool SetEnumProp(TPersistent& object, const std::wstring& name, const std::wstring& identifier) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || p->Kind != TPropKind::Enumeration || !p->SetOrd) return false;
  int ordinal = p->OrdinalOf(identifier);
  if (ordinal < 0) return false;
  p->SetOrd(object, ordinal);
  return true;
}

std::optional<std::wstring> GetStrProp(TPersistent& object, const std::wstring& name) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || p->Kind != TPropKind::String) return std::nullopt;
  return p->GetStr(object);
}

bool SetStrProp(TPersistent& object, const std::wstring& name, const std::wstring& value) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || p->Kind != TPropKind::String || !p->SetStr) return false;
  p->SetStr(object, value);
  return true;
}

std::optional<TPersistent*> GetObjectProp(TPersistent& object, const std::wstring& name) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || p->Kind != TPropKind::Object) return std::nullopt;
  return p->GetInstance(object);
}

bool SetBinaryProp(TPersistent& object, const std::wstring& name,
                   const std::vector<std::uint8_t>& value) {
  const TPropInfo* p = FindProperty(object, name);
  if (!p || p->Kind != TPropKind::Binary || !p->SetBinary) return false;
  p->SetBinary(object, value);
  return true;
}

} // namespace fw
