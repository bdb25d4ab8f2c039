// Property access by name, as the skinning engine uses it on controls it knows only by class name.
#include "framework/comctrls.h"
#include "framework/form.h"
#include "framework/persistent.h"
#include "framework/stdctrls.h"

#include <gtest/gtest.h>

namespace {

class Properties : public testing::Test {
protected:
  Properties() {
    form.SetBounds(10, 10, 300, 200);
    button = new fw::TButton(&form);
    button->SetParent(&form);
    label = new fw::TLabel(&form);
    label->SetParent(&form);
    edit = new fw::TEdit(&form);
    edit->SetParent(&form);
  }
  fw::TForm form{nullptr};
  fw::TButton* button;
  fw::TLabel* label;
  fw::TEdit* edit;
};

TEST_F(Properties, IntegersReadAndWriteThroughToTheWindow) {
  EXPECT_TRUE(fw::SetOrdProp(*button, L"Tag", 42));
  EXPECT_EQ(button->Tag, 42);
  EXPECT_EQ(fw::GetOrdProp(*button, L"tag"), 42) << "names are matched without case";
  EXPECT_EQ(fw::GetOrdProp(*button, L"Color"), fw::clBtnFace);
  EXPECT_EQ(fw::GetOrdProp(*edit, L"Color"), fw::clWindow);
  ASSERT_TRUE(fw::SetOrdProp(*button, L"Left", 33));
  RECT r;
  ::GetWindowRect(button->Handle(), &r);
  ::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 33);
}

TEST_F(Properties, StringsReachTheWindowText) {
  ASSERT_TRUE(fw::SetStrProp(*button, L"Caption", L"按钮"));
  wchar_t text[32];
  ::GetWindowTextW(button->Handle(), text, 32);
  EXPECT_STREQ(text, L"按钮");
  ::SetWindowTextW(edit->Handle(), L"typed");
  EXPECT_EQ(fw::GetStrProp(*edit, L"Text"), L"typed") << "the user's text, read from the window";
  EXPECT_EQ(fw::GetStrProp(*button, L"Name"), L"");
}

TEST_F(Properties, EnumerationsAndBooleansByIdentifier) {
  EXPECT_EQ(fw::GetEnumProp(*label, L"Transparent"), L"False");
  EXPECT_TRUE(fw::SetEnumProp(*label, L"Transparent", L"True"));
  EXPECT_TRUE(label->Transparent);
  EXPECT_EQ(fw::GetOrdProp(*label, L"Transparent"), 1);
  EXPECT_FALSE(fw::SetEnumProp(*label, L"Transparent", L"Maybe")) << "unknown identifier";
  EXPECT_EQ(fw::GetEnumProp(form, L"BorderStyle"), L"bsSizeable");
  EXPECT_EQ(fw::GetOrdProp(*button, L"ParentBackground"), 0);
}

TEST_F(Properties, ObjectsGiveTheirOwnProperties) {
  auto font = fw::GetObjectProp(*label, L"Font");
  ASSERT_TRUE(font && *font);
  EXPECT_EQ((*font)->ClassName(), L"TFont");
  EXPECT_TRUE(fw::SetOrdProp(**font, L"Color", fw::clNavy));
  EXPECT_EQ(label->Font().Color(), fw::clNavy);
  EXPECT_FALSE(label->ParentFont()) << "a font set on the control stops following the parent";
}

TEST_F(Properties, AbsentPropertiesAndWrongKindsGiveNothing) {
  EXPECT_FALSE(fw::GetOrdProp(*edit, L"Caption"));
  EXPECT_FALSE(fw::GetStrProp(*edit, L"Caption")) << "an edit has Text, no Caption";
  EXPECT_FALSE(fw::GetEnumProp(*button, L"Transparent"));
  EXPECT_FALSE(fw::SetStrProp(*button, L"Tag", L"1")) << "an integer is not a string";
  EXPECT_FALSE(fw::GetOrdProp(*button, L"Caption"));
  EXPECT_FALSE(fw::GetObjectProp(*button, L"Tag"));
  EXPECT_FALSE(fw::SetBinaryProp(*button, L"SkinStream", {1, 2}));
  EXPECT_FALSE(fw::FindProperty(*button, L"NoSuchThing"));
}

TEST_F(Properties, EveryControlNamesItsClass) {
  fw::TTrackBar bar(nullptr);
  fw::TComboBox combo(nullptr);
  EXPECT_EQ(button->ClassName(), L"TButton");
  EXPECT_EQ(label->ClassName(), L"TLabel");
  EXPECT_EQ(bar.ClassName(), L"TTrackBar");
  EXPECT_EQ(combo.ClassName(), L"TComboBox");
  EXPECT_EQ(form.ClassName(), L"TForm");
}

} // namespace
