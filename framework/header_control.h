// The header control: the system's header window with a row of sections (text and width each),
// as stands above the columns of a grid or list.
#pragma once

#include "framework/control.h"

#include <string>
#include <vector>

namespace fw {

struct THeaderSection {
  std::wstring Text;
  int Width = 80;
};

class THeaderControl : public TWinControl {
public:
  explicit THeaderControl(TComponent* owner);
  std::wstring ClassName() const override { return L"THeaderControl"; }

  const std::vector<THeaderSection>& Sections() const { return sections_; }
  void SetSections(const std::vector<THeaderSection>& sections);

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

private:
  void FillWindow();

  std::vector<THeaderSection> sections_;
};

} // namespace fw
