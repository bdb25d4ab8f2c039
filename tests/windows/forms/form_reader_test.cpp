// Form descriptions: syntax, properties of every kind, components of registered classes, errors,
// and the order of the after-loading notifications.
#include "framework/class_registry.h"
#include "framework/exception.h"
#include "framework/form.h"
#include "framework/form_reader.h"
#include "framework/stdctrls.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::wstring> loadedOrder;

// A component with a binary property, like the skin component's SkinStream.
class TBlobHolder : public fw::TComponent {
public:
  using fw::TComponent::TComponent;
  std::wstring ClassName() const override { return L"TBlobHolder"; }
  std::vector<std::uint8_t> Stream;
  void Loaded() override { loadedOrder.push_back(Name); }

protected:
  void DefineProperties(fw::TPropertyList& list) const override {
    fw::TComponent::DefineProperties(list);
    fw::TPropertyDefiner<TBlobHolder> d(list);
    d.Binary(
        L"SkinStream", [](TBlobHolder& b) { return b.Stream; },
        [](TBlobHolder& b, const std::vector<std::uint8_t>& v) { b.Stream = v; });
  }
};

class TestForm : public fw::TForm {
public:
  explicit TestForm() : fw::TForm(nullptr) {
    DefineMethod(L"ButtonClick", [this](fw::TObject*) { ++clicks; });
    OnCreate = [](fw::TObject*) { loadedOrder.push_back(L"OnCreate"); };
  }
  std::wstring ClassName() const override { return L"TTestForm"; }
  void Loaded() override { loadedOrder.push_back(Name); }
  int clicks = 0;
};

const char* kDescription = R"(object Test: TTestForm
  Caption = 'It''s 测试'   // a comment
  Width = $100
  Height = 200
  Font.Style = [fsBold, fsUnderline]
  object Box: TGroupBox
    Left = 4
    Width = 200
    Height = 100
    Caption = 'Box'
    object Inner: TButton
      Left = 10
      Top = 20
      Width = 75
      Height = 25
      Caption = 'Go'
      Tag = -7
      OnClick = ButtonClick
    end
  end
  object Blob: TBlobHolder
    SkinStream = {00 0A ff
                  7E}
  end
  object List: TListBox
    Items.Strings = (
      'one'
      'two')
  end
end
)";

TEST(FormReader, ReadsEveryKindOfValue) {
  fw::RegisterComponentClass<TBlobHolder>(L"TBlobHolder");
  loadedOrder.clear();
  TestForm form;
  form.InitFromText(kDescription);
  EXPECT_EQ(form.Name, L"Test");
  EXPECT_EQ(form.Caption(), L"It's 测试");
  EXPECT_EQ(form.Width(), 256);
  EXPECT_EQ(form.Font().Style(), fw::fsBold | fw::fsUnderline);
  auto* box = dynamic_cast<fw::TGroupBox*>(form.FindComponent(L"Box"));
  auto* inner = dynamic_cast<fw::TButton*>(form.FindComponent(L"Inner"));
  ASSERT_TRUE(box && inner) << "components belong to the form, whatever holds them";
  EXPECT_EQ(inner->Parent(), box);
  EXPECT_EQ(box->Parent(), &form);
  EXPECT_EQ(inner->Tag, -7);
  EXPECT_EQ(inner->Font().Style(), fw::fsBold | fw::fsUnderline) << "the form's font flows down";
  auto* blob = dynamic_cast<TBlobHolder*>(form.FindComponent(L"Blob"));
  ASSERT_TRUE(blob);
  EXPECT_EQ(blob->Stream, (std::vector<std::uint8_t>{0x00, 0x0A, 0xFF, 0x7E}));
  auto* list = dynamic_cast<fw::TListBox*>(form.FindComponent(L"List"));
  ASSERT_TRUE(list);
  EXPECT_EQ(list->Items(), (std::vector<std::wstring>{L"one", L"two"}));
  // The handler named in the description runs on a real click.
  form.Show();
  ::SendMessageW(inner->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.clicks, 1);
  // Every component hears it was loaded after the whole description was read, the form first;
  // then the form's OnCreate.
  EXPECT_EQ(loadedOrder, (std::vector<std::wstring>{L"Test", L"Blob", L"OnCreate"}));
}

std::wstring ReadError(const char* text) {
  TestForm form;
  try {
    form.InitFromText(text);
  } catch (const fw::Exception& e) {
    return e.Message();
  }
  return L"";
}

TEST(FormReader, ReportsWhatItCannotRead) {
  EXPECT_EQ(ReadError("object T: TTestForm\n  object S: TSkinDataUnknown\n  end\nend\n"),
            L"Error reading S (line 2): Class TSkinDataUnknown not found");
  EXPECT_EQ(ReadError("object T: TTestForm\n  Colour = 1\nend\n"),
            L"Error reading T.Colour (line 2): Property Colour does not exist");
  EXPECT_EQ(ReadError("object T: TTestForm\n  BorderStyle = bsRound\nend\n"),
            L"Error reading T.BorderStyle (line 2): Invalid property value");
  EXPECT_EQ(ReadError("object T: TTestForm\n  OnCreate = Nowhere\nend\n"),
            L"Error reading T.OnCreate (line 2): Method Nowhere not found");
  EXPECT_EQ(ReadError("object T: TTestForm\n  Caption = 'open\nend\n"),
            L"Form description, line 2: unterminated string");
  EXPECT_EQ(ReadError("object T: TOtherForm\nend\n"),
            L"The description of TOtherForm does not fit TTestForm");
  EXPECT_EQ(ReadError("object T: TTestForm\n  Tag = {0}\nend\n"),
            L"Form description, line 2: odd number of hexadecimal digits");
}

} // namespace
