// The skin manager's decisions about top-level windows, from plain facts: whether a window is
// skinned, and which registered skin component serves it.
#pragma once

#include "skin/data/core/skin_options.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// What the manager knows about a window when it is created or activated.
struct WindowFacts {
  bool answersSkinned = false; // it answers the "already skinned?" message with 1
  bool alreadyListed = false;  // the manager has a form skinner for it
  bool hasForm = false;        // a form (or control object) of the program stands behind it
  int formTag = 0;             // that form's Tag
  std::uint32_t style = 0, exStyle = 0;
  std::string className;
  std::string parentClassName;
  bool programInstance = false; // its instance handle is the program's
  int width = 0, height = 0;
};

// Why a window stays unskinned (the first test it fails), or Skin.
enum class SkinVerdict {
  Skin,
  Disabled,       // skinning is switched off
  AlreadySkinned, // answers the question with 1, or already has a form skinner
  PlainChild,     // a child window that is not an MDI child
  Foreign,        // belongs to another module
  Empty,          // no area and not an MDI child
  Tag99,          // its form has Tag 99
  ExcludedClass,  // a class that must never be skinned
  Filtered,       // the main component's filter refused it
};

// The filter of the main component, without its application callback: windows whose class says
// "preview" (unless xoPreview), foreground dialogs and DB tree pop-ups are refused.
bool PassesBuiltInFilter(const std::string& className, std::uint32_t style, TSkinOptions options);

// The tests of the manager's SkinWindow in their order, up to and including the built-in filter.
// `forcing` lifts the child-window test (the manager walking the forms itself). Without a main
// component there is no filter.
SkinVerdict CheckSkinWindow(const WindowFacts& window, bool enabled, bool forcing,
                            bool hasMainComponent, TSkinOptions mainOptions);

// A registered skin component as ChooseSkinData sees it.
struct RegisteredSkinData {
  TSkinFormType formType = sfMainform;
  std::uintptr_t ownerWindow = 0; // window of the component's owner form
};

// Index of the component for a window, or -1: the last sfOnlyThisForm one owned by the window,
// else for message boxes and dialogs the last sfDialog one, else the last sfMainform one, else the
// first registered.
int ChooseSkinDataIndex(const std::vector<RegisteredSkinData>& registered, std::uintptr_t window,
                        const std::string& className);

} // namespace skin
