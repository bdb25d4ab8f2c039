// Form descriptions: a readable text that lists a form's components with their properties, read
// at start-up from the program's resources.
//
//   object Form1: TForm1            the root: the form itself
//     Caption = 'Text'              strings in single quotes, '' for a quote, UTF-8
//     Left = 10                     integers (also $FF)
//     Font.Style = [fsUnderline]    nested objects by dots; sets in brackets
//     Color = clNavy                identifiers: enumerations, booleans, colours, handlers
//     Items.Strings = ('a' 'b')     lists of strings
//     SkinStream = {0A1B2C}         binary data in hexadecimal, spaces and line breaks allowed
//     object Button1: TButton       owned components; controls are placed in the enclosing one
//       OnClick = Button1Click
//     end
//   end
#pragma once

#include "framework/component.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class TForm;

struct TFormValue {
  enum Kind { Integer, Identifier, String, Set, List, Binary } kind = Integer;
  std::int64_t integer = 0;
  std::wstring text;               // identifier or string
  std::vector<std::wstring> items; // set identifiers or list strings
  std::vector<std::uint8_t> bytes;
};

struct TFormProperty {
  std::wstring path; // "Font.Name"
  TFormValue value;
  int line = 0;
};

struct TFormObject {
  std::wstring name, className;
  std::vector<TFormProperty> properties;
  std::vector<TFormObject> children;
  int line = 0;
};

// Parses a description; throws fw::Exception naming the line of a syntax error.
TFormObject ParseFormText(const std::string& utf8);

// Applies a parsed description to an existing form: its own properties, then a component of the
// named class for every inner object (owned by the form, placed in the enclosing control).
// Returns every component read, the form first, in reading order. Unknown classes, properties,
// identifiers and handlers are errors.
std::vector<TComponent*> ReadFormObject(TForm& form, const TFormObject& description);

} // namespace fw
