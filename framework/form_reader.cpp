#include "framework/form_reader.h"

#include "framework/class_registry.h"
#include "framework/exception.h"
#include "framework/form.h"
#include "framework/graphics.h"

#include <cwctype>

namespace fw {

namespace {

class Parser {
public:
  explicit Parser(std::wstring text) : text_(std::move(text)) {}

  TFormObject ReadObject() {
    ExpectWord(L"object");
    TFormObject object;
    object.line = line_;
    object.name = ReadIdentifier();
    Expect(L':');
    object.className = ReadIdentifier();
    for (;;) {
      SkipSpace();
      std::wstring word = PeekIdentifier();
      if (word == L"end") {
        ReadIdentifier();
        return object;
      }
      if (word == L"object") {
        object.children.push_back(ReadObject());
        continue;
      }
      if (word.empty()) Fail(L"property name expected");
      TFormProperty prop;
      prop.line = line_;
      prop.path = ReadIdentifier();
      Expect(L'=');
      prop.value = ReadValue();
      object.properties.push_back(std::move(prop));
    }
  }

  void ExpectEnd() {
    SkipSpace();
    if (pos_ < text_.size()) Fail(L"text after the last end");
  }

private:
  [[noreturn]] void Fail(const std::wstring& what) {
    throw Exception(L"Form description, line " + std::to_wstring(line_) + L": " + what);
  }

  void SkipSpace() {
    while (pos_ < text_.size()) {
      wchar_t c = text_[pos_];
      if (c == L'\n') ++line_;
      if (c == L'\n' || c == L'\r' || c == L' ' || c == L'\t' || c == 0xFEFF) {
        ++pos_;
      } else if (c == L'/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == L'/') {
        while (pos_ < text_.size() && text_[pos_] != L'\n')
          ++pos_;
      } else {
        break;
      }
    }
  }

  static bool IsIdentChar(wchar_t c) { return std::iswalnum(c) || c == L'_' || c == L'.'; }

  std::wstring PeekIdentifier() {
    size_t end = pos_;
    while (end < text_.size() && IsIdentChar(text_[end]))
      ++end;
    return text_.substr(pos_, end - pos_);
  }

  std::wstring ReadIdentifier() {
    SkipSpace();
    std::wstring word = PeekIdentifier();
    if (word.empty() || std::iswdigit(word[0])) Fail(L"identifier expected");
    pos_ += word.size();
    return word;
  }

  void ExpectWord(const std::wstring& word) {
    if (ReadIdentifier() != word) Fail(L"'" + word + L"' expected");
  }

  void Expect(wchar_t c) {
    SkipSpace();
    if (pos_ >= text_.size() || text_[pos_] != c) Fail(std::wstring(L"'") + c + L"' expected");
    ++pos_;
  }

  std::wstring ReadString() {
    Expect(L'\'');
    std::wstring s;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == L'\n') Fail(L"unterminated string");
      wchar_t c = text_[pos_++];
      if (c != L'\'') {
        s += c;
      } else if (pos_ < text_.size() && text_[pos_] == L'\'') {
        s += L'\'';
        ++pos_;
      } else {
        return s;
      }
    }
  }

  TFormValue ReadValue() {
    SkipSpace();
    if (pos_ >= text_.size()) Fail(L"value expected");
    TFormValue v;
    wchar_t c = text_[pos_];
    if (c == L'\'') {
      v.kind = TFormValue::String;
      v.text = ReadString();
    } else if (c == L'[') {
      v.kind = TFormValue::Set;
      ++pos_;
      SkipSpace();
      while (pos_ < text_.size() && text_[pos_] != L']') {
        v.items.push_back(ReadIdentifier());
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == L',') ++pos_;
        SkipSpace();
      }
      Expect(L']');
    } else if (c == L'(') {
      v.kind = TFormValue::List;
      ++pos_;
      SkipSpace();
      while (pos_ < text_.size() && text_[pos_] != L')') {
        v.items.push_back(ReadString());
        SkipSpace();
      }
      Expect(L')');
    } else if (c == L'{') {
      v.kind = TFormValue::Binary;
      ++pos_;
      std::wstring digits;
      for (;;) {
        SkipSpace();
        if (pos_ >= text_.size()) Fail(L"unterminated binary value");
        wchar_t d = text_[pos_++];
        if (d == L'}') break;
        if (!std::iswxdigit(d)) Fail(L"hexadecimal digit expected");
        digits += d;
      }
      if (digits.size() % 2) Fail(L"odd number of hexadecimal digits");
      for (size_t i = 0; i < digits.size(); i += 2)
        v.bytes.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    } else if (c == L'-' || c == L'$' || std::iswdigit(c)) {
      v.kind = TFormValue::Integer;
      bool negative = c == L'-';
      if (negative) ++pos_;
      int base = 10;
      if (pos_ < text_.size() && text_[pos_] == L'$') {
        base = 16;
        ++pos_;
      }
      size_t start = pos_;
      while (pos_ < text_.size() &&
             (base == 16 ? std::iswxdigit(text_[pos_]) != 0 : std::iswdigit(text_[pos_]) != 0))
        ++pos_;
      if (start == pos_) Fail(L"number expected");
      v.integer = std::stoll(text_.substr(start, pos_ - start), nullptr, base);
      if (negative) v.integer = -v.integer;
    } else {
      v.kind = TFormValue::Identifier;
      v.text = ReadIdentifier();
    }
    return v;
  }

  std::wstring text_;
  size_t pos_ = 0;
  int line_ = 1;
};

class Reader {
public:
  explicit Reader(TForm& form) : form_(form) {}

  void ReadProperties(TPersistent& target, const std::wstring& objectName,
                      const TFormObject& description) {
    for (const TFormProperty& prop : description.properties)
      try {
        Apply(target, prop.path, prop.value);
      } catch (const Exception& e) {
        throw Exception(L"Error reading " + objectName + L"." + prop.path + L" (line " +
                        std::to_wstring(prop.line) + L"): " + e.Message());
      }
  }

  void ReadChildren(TWinControl* container, const TFormObject& description) {
    for (const TFormObject& child : description.children) {
      TComponent* component = nullptr;
      try {
        component = CreateComponent(child.className, &form_);
      } catch (const Exception& e) {
        throw Exception(L"Error reading " + child.name + L" (line " + std::to_wstring(child.line) +
                        L"): " + e.Message());
      }
      component->Name = child.name;
      read_.push_back(component);
      auto* control = dynamic_cast<TControl*>(component);
      // Placed before its properties are read, so that it takes the container's font.
      if (control && container) control->SetParent(container);
      ReadProperties(*component, child.name, child);
      auto* inner = dynamic_cast<TWinControl*>(component);
      if (!child.children.empty() && !inner)
        throw Exception(L"Error reading " + child.name + L": a " + child.className +
                        L" cannot hold controls");
      ReadChildren(inner, child);
    }
  }

  std::vector<TComponent*> read_;

private:
  void Apply(TPersistent& target, const std::wstring& path, const TFormValue& value) {
    auto dot = path.find(L'.');
    std::wstring name = path.substr(0, dot);
    const TPropInfo* info = target.Properties().Find(name);
    if (!info) throw Exception(L"Property " + name + L" does not exist");
    if (dot != std::wstring::npos) {
      std::wstring rest = path.substr(dot + 1);
      // A list is written as Items.Strings = (...).
      if (info->Kind == TPropKind::Strings && rest == L"Strings") return Set(target, *info, value);
      if (info->Kind != TPropKind::Object) throw Exception(L"Property " + name + L" has no parts");
      TPersistent* inner = info->GetInstance(target);
      if (!inner) throw Exception(L"Property " + name + L" is empty");
      return Apply(*inner, rest, value);
    }
    Set(target, *info, value);
  }

  [[noreturn]] static void Invalid() { throw Exception(L"Invalid property value"); }

  void Set(TPersistent& target, const TPropInfo& info, const TFormValue& value) {
    switch (info.Kind) {
    case TPropKind::Integer: {
      int n = 0;
      if (value.kind == TFormValue::Integer)
        n = static_cast<int>(value.integer);
      else if (value.kind != TFormValue::Identifier || !IdentToInt(value.text, n))
        Invalid();
      if (!info.SetOrd) Invalid();
      return info.SetOrd(target, n);
    }
    case TPropKind::Enumeration: {
      int ordinal = value.kind == TFormValue::Identifier ? info.OrdinalOf(value.text) : -1;
      if (ordinal < 0 || !info.SetOrd) Invalid();
      return info.SetOrd(target, ordinal);
    }
    case TPropKind::Set: {
      if (value.kind != TFormValue::Set || !info.SetOrd) Invalid();
      int mask = 0;
      for (const std::wstring& ident : value.items) {
        int ordinal = info.OrdinalOf(ident);
        if (ordinal < 0) Invalid();
        mask |= 1 << ordinal;
      }
      return info.SetOrd(target, mask);
    }
    case TPropKind::String:
      if (value.kind != TFormValue::String || !info.SetStr) Invalid();
      return info.SetStr(target, value.text);
    case TPropKind::Strings:
      if (value.kind != TFormValue::List || !info.SetStrings) Invalid();
      return info.SetStrings(target, value.items);
    case TPropKind::Binary:
      if (value.kind != TFormValue::Binary || !info.SetBinary) Invalid();
      return info.SetBinary(target, value.bytes);
    case TPropKind::Event: {
      if (value.kind != TFormValue::Identifier) Invalid();
      TNotifyEvent method = form_.MethodAddress(value.text);
      if (!method) throw Exception(L"Method " + value.text + L" not found");
      return info.SetEvent(target, method);
    }
    case TPropKind::Object:
      Invalid();
    }
  }

  TForm& form_;
};

} // namespace

TFormObject ParseFormText(const std::string& utf8) {
  Parser parser(Utf8ToWide(utf8));
  TFormObject root = parser.ReadObject();
  parser.ExpectEnd();
  return root;
}

std::vector<TComponent*> ReadFormObject(TForm& form, const TFormObject& description) {
  RegisterStandardClasses();
  if (description.className != form.ClassName())
    throw Exception(L"The description of " + description.className + L" does not fit " +
                    form.ClassName());
  Reader reader(form);
  form.Name = description.name;
  reader.read_.push_back(&form);
  reader.ReadProperties(form, description.name, description);
  reader.ReadChildren(&form, description);
  return reader.read_;
}

} // namespace fw
