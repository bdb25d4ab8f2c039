#include "skin/forms/core/manager_rules.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

WindowFacts ProgramForm() {
  WindowFacts w;
  w.hasForm = true;
  w.programInstance = true;
  w.className = "TForm1";
  w.width = 300;
  w.height = 200;
  return w;
}

SkinVerdict Check(const WindowFacts& w, TSkinOptions options = DefaultSkinOptions()) {
  return CheckSkinWindow(w, true, false, true, options);
}

} // namespace

TEST(ManagerRules, FormsOfTheProgramAreSkinned) {
  EXPECT_EQ(Check(ProgramForm()), SkinVerdict::Skin);
  EXPECT_EQ(CheckSkinWindow(ProgramForm(), false, false, true, {}), SkinVerdict::Disabled);
  WindowFacts skinned = ProgramForm();
  skinned.answersSkinned = true;
  EXPECT_EQ(Check(skinned), SkinVerdict::AlreadySkinned);
  skinned = ProgramForm();
  skinned.alreadyListed = true;
  EXPECT_EQ(Check(skinned), SkinVerdict::AlreadySkinned); // never hooked twice
}

TEST(ManagerRules, Tag99IsNeverSkinned) {
  WindowFacts w = ProgramForm();
  w.formTag = 99;
  EXPECT_EQ(Check(w), SkinVerdict::Tag99);
  w.formTag = 98;
  EXPECT_EQ(Check(w), SkinVerdict::Skin);
}

TEST(ManagerRules, ChildWindowsOnlyWhenMdiOrForced) {
  WindowFacts child = ProgramForm();
  child.style = 0x40000000;
  child.parentClassName = "TForm1";
  EXPECT_EQ(Check(child), SkinVerdict::PlainChild);
  EXPECT_EQ(CheckSkinWindow(child, true, true, true, {}), SkinVerdict::Skin);
  child.parentClassName = "MDIClient";
  EXPECT_EQ(Check(child), SkinVerdict::Skin);
  WindowFacts mdi = ProgramForm();
  mdi.style = 0x40000000;
  mdi.exStyle = 0x40;
  mdi.width = 0; // an MDI child may be empty
  EXPECT_EQ(Check(mdi), SkinVerdict::Skin);
}

TEST(ManagerRules, SystemDialogsYesOtherModulesNo) {
  WindowFacts dialog;
  dialog.className = "#32770";
  dialog.width = 200;
  dialog.height = 100;
  EXPECT_EQ(Check(dialog), SkinVerdict::Skin);
  dialog.style = 0x200; // DS_SETFOREGROUND
  EXPECT_EQ(Check(dialog), SkinVerdict::Filtered);
  WindowFacts foreign = dialog;
  foreign.style = 0;
  foreign.className = "Notepad";
  EXPECT_EQ(Check(foreign), SkinVerdict::Foreign);
  foreign.programInstance = true; // the same class of the program's own module is fine
  EXPECT_EQ(Check(foreign), SkinVerdict::Skin);
}

TEST(ManagerRules, PreviewWindowsFollowTheOption) {
  WindowFacts preview = ProgramForm();
  preview.className = "TMyPreview";
  TSkinOptions without = DefaultSkinOptions();
  without.Exclude(xoPreview);
  EXPECT_EQ(Check(preview, without), SkinVerdict::Filtered);
  EXPECT_EQ(Check(preview, DefaultSkinOptions()), SkinVerdict::Skin);
  // Without a main component there is no filter at all.
  EXPECT_EQ(CheckSkinWindow(preview, true, false, false, without), SkinVerdict::Skin);
}

TEST(ManagerRules, EmptyAndExcludedWindows) {
  WindowFacts empty = ProgramForm();
  empty.height = 0;
  EXPECT_EQ(Check(empty), SkinVerdict::Empty);
  for (const char* cls : {"TApplication", "XTcxPopupEditPopupWindowY", "TTERenderWindow"}) {
    WindowFacts w = ProgramForm();
    w.className = cls;
    EXPECT_EQ(Check(w), SkinVerdict::ExcludedClass) << cls;
  }
}

TEST(ManagerRules, ChoosingTheSkinComponent) {
  const std::vector<RegisteredSkinData> registered = {
      {sfMainform, 1}, {sfDialog, 2}, {sfOnlyThisForm, 7}, {sfMainform, 3}, {sfDialog, 4}};
  EXPECT_EQ(ChooseSkinDataIndex(registered, 7, "TForm7"), 2);       // its own component
  EXPECT_EQ(ChooseSkinDataIndex(registered, 8, "TMessageForm"), 4); // last dialog component
  EXPECT_EQ(ChooseSkinDataIndex(registered, 8, "#32770"), 4);
  EXPECT_EQ(ChooseSkinDataIndex(registered, 8, "TForm8"), 3); // last main component
  const std::vector<RegisteredSkinData> onlyMain = {{sfMainform, 1}};
  EXPECT_EQ(ChooseSkinDataIndex(onlyMain, 9, "TMessageForm"), 0); // no dialog one: the main one
  const std::vector<RegisteredSkinData> dll = {{sfDLL, 1}, {sfDLL, 2}};
  EXPECT_EQ(ChooseSkinDataIndex(dll, 9, "TForm9"), 0); // none fits: the first registered
  EXPECT_EQ(ChooseSkinDataIndex({}, 9, "TForm9"), -1);
}
