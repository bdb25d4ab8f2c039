// Objects with published properties: each class lists its properties once, by name and kind,
// with a getter and a setter. The form reader writes them from form descriptions and the skinning
// engine reads and writes controls' properties by name (Color, Caption, Transparent, Tag, ...).
#pragma once

#include "framework/object.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fw {

class TPersistent;

enum class TPropKind {
  Integer,     // 32-bit integer (colours included)
  Enumeration, // identifiers with ordinals (booleans: False, True)
  Set,         // a set of enumeration identifiers, as a bit mask
  String,
  Strings, // a list of lines
  Object,  // a persistent object owned by the holder (Font) or a reference
  Binary,  // raw bytes (a skin stream)
  Event,   // a handler bound by the method's name
};

// A handler looked up by name while a form description is read.
using TMethodResolver = std::function<TNotifyEvent(const std::wstring& methodName)>;

struct TPropInfo {
  std::wstring Name;
  TPropKind Kind = TPropKind::Integer;
  // Enumeration and set identifiers, ordinal = index (set bit = 1 << index).
  std::vector<std::wstring> Identifiers;
  std::function<std::int64_t(TPersistent&)> GetOrd;
  std::function<void(TPersistent&, std::int64_t)> SetOrd;
  std::function<std::wstring(TPersistent&)> GetStr;
  std::function<void(TPersistent&, const std::wstring&)> SetStr;
  std::function<std::vector<std::wstring>(TPersistent&)> GetStrings;
  std::function<void(TPersistent&, const std::vector<std::wstring>&)> SetStrings;
  std::function<TPersistent*(TPersistent&)> GetInstance;
  std::function<std::vector<std::uint8_t>(TPersistent&)> GetBinary;
  std::function<void(TPersistent&, const std::vector<std::uint8_t>&)> SetBinary;
  std::function<void(TPersistent&, TNotifyEvent)> SetEvent;

  // Ordinal of an identifier, or -1.
  int OrdinalOf(const std::wstring& identifier) const;
};

// The properties of one class, its ancestors' included; names are matched without case.
class TPropertyList {
public:
  const TPropInfo* Find(const std::wstring& name) const;
  const std::vector<TPropInfo>& All() const { return props_; }
  void Add(TPropInfo info);

private:
  std::vector<TPropInfo> props_;
};

// Typed helpers that define the properties of class T.
template <class T> class TPropertyDefiner {
public:
  explicit TPropertyDefiner(TPropertyList& list) : list_(list) {}

  void Integer(std::wstring name, std::function<int(T&)> get, std::function<void(T&, int)> set) {
    TPropInfo p = MakeInfo(std::move(name), TPropKind::Integer);
    p.GetOrd = [get](TPersistent& o) { return std::int64_t{get(static_cast<T&>(o))}; };
    if (set)
      p.SetOrd = [set](TPersistent& o, std::int64_t v) {
        set(static_cast<T&>(o), static_cast<int>(v));
      };
    list_.Add(std::move(p));
  }
  void Boolean(std::wstring name, std::function<bool(T&)> get, std::function<void(T&, bool)> set) {
    Enumeration(
        std::move(name), {L"False", L"True"}, [get](T& o) { return get(o) ? 1 : 0; },
        [set](T& o, int v) { set(o, v != 0); });
  }
  void Enumeration(std::wstring name, std::vector<std::wstring> identifiers,
                   std::function<int(T&)> get, std::function<void(T&, int)> set) {
    Ordinal(std::move(name), TPropKind::Enumeration, std::move(identifiers), get, set);
  }
  void Set(std::wstring name, std::vector<std::wstring> identifiers, std::function<int(T&)> get,
           std::function<void(T&, int)> set) {
    Ordinal(std::move(name), TPropKind::Set, std::move(identifiers), get, set);
  }
  void String(std::wstring name, std::function<std::wstring(T&)> get,
              std::function<void(T&, const std::wstring&)> set) {
    TPropInfo p = MakeInfo(std::move(name), TPropKind::String);
    p.GetStr = [get](TPersistent& o) { return get(static_cast<T&>(o)); };
    if (set)
      p.SetStr = [set](TPersistent& o, const std::wstring& v) { set(static_cast<T&>(o), v); };
    list_.Add(std::move(p));
  }
  void Strings(std::wstring name, std::function<std::vector<std::wstring>(T&)> get,
               std::function<void(T&, const std::vector<std::wstring>&)> set) {
    TPropInfo p = MakeInfo(std::move(name), TPropKind::Strings);
    p.GetStrings = [get](TPersistent& o) { return get(static_cast<T&>(o)); };
    p.SetStrings = [set](TPersistent& o, const std::vector<std::wstring>& v) {
      set(static_cast<T&>(o), v);
    };
    list_.Add(std::move(p));
  }
  void Object(std::wstring name, std::function<TPersistent*(T&)> get) {
    TPropInfo p = MakeInfo(std::move(name), TPropKind::Object);
    p.GetInstance = [get](TPersistent& o) { return get(static_cast<T&>(o)); };
    list_.Add(std::move(p));
  }
  void Binary(std::wstring name, std::function<std::vector<std::uint8_t>(T&)> get,
              std::function<void(T&, const std::vector<std::uint8_t>&)> set) {
    TPropInfo p = MakeInfo(std::move(name), TPropKind::Binary);
    p.GetBinary = [get](TPersistent& o) { return get(static_cast<T&>(o)); };
    p.SetBinary = [set](TPersistent& o, const std::vector<std::uint8_t>& v) {
      set(static_cast<T&>(o), v);
    };
    list_.Add(std::move(p));
  }
  void Event(std::wstring name, TNotifyEvent T::*field) {
    TPropInfo p = MakeInfo(std::move(name), TPropKind::Event);
    p.SetEvent = [field](TPersistent& o, TNotifyEvent e) { static_cast<T&>(o).*field = e; };
    list_.Add(std::move(p));
  }

private:
  static TPropInfo MakeInfo(std::wstring name, TPropKind kind) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    return p;
  }

  void Ordinal(std::wstring name, TPropKind kind, std::vector<std::wstring> identifiers,
               std::function<int(T&)> get, std::function<void(T&, int)> set) {
    TPropInfo p = MakeInfo(std::move(name), kind);
    p.Identifiers = std::move(identifiers);
    p.GetOrd = [get](TPersistent& o) { return std::int64_t{get(static_cast<T&>(o))}; };
    if (set)
      p.SetOrd = [set](TPersistent& o, std::int64_t v) {
        set(static_cast<T&>(o), static_cast<int>(v));
      };
    list_.Add(std::move(p));
  }

  TPropertyList& list_;
};

class TPersistent : public TObject {
public:
  // The class's name as form descriptions and skin rules know it (TButton, TLabel, ...).
  virtual std::wstring ClassName() const { return L"TPersistent"; }

  // The class's properties, built once per class.
  const TPropertyList& Properties() const;

protected:
  // Each class adds its own after calling its parent's.
  virtual void DefineProperties(TPropertyList& /*list*/) const {}
};

// Property access by name. Every getter gives nothing when the object has no such property (or
// one of another kind); every setter returns false then.
const TPropInfo* FindProperty(TPersistent& object, const std::wstring& name);
std::optional<int> GetOrdProp(TPersistent& object, const std::wstring& name);
bool SetOrdProp(TPersistent& object, const std::wstring& name, int value);
std::optional<std::wstring> GetEnumProp(TPersistent& object, const std::wstring& name);
bool SetEnumProp(TPersistent& object, const std::wstring& name, const std::wstring& identifier);
std::optional<std::wstring> GetStrProp(TPersistent& object, const std::wstring& name);
bool SetStrProp(TPersistent& object, const std::wstring& name, const std::wstring& value);
std::optional<TPersistent*> GetObjectProp(TPersistent& object, const std::wstring& name);
bool SetBinaryProp(TPersistent& object, const std::wstring& name,
                   const std::vector<std::uint8_t>& value);

} // namespace fw
