#include "app/core/skin_file_check.h"

#include "skin/data/core/skin_reader.h"

#include <exception>
#include <utility>

namespace app {

namespace {

std::wstring Widen(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

// Keeps the skin readers' message boxes away while a file is only being tried.
class QuietSkinMessages {
public:
  QuietSkinMessages() : previous_(skin::SetSkinMessageHandler({})) {}
  ~QuietSkinMessages() { skin::SetSkinMessageHandler(std::move(previous_)); }
  QuietSkinMessages(const QuietSkinMessages&) = delete;
  QuietSkinMessages& operator=(const QuietSkinMessages&) = delete;

private:
  skin::SkinMessageHandler previous_;
};

} // namespace

std::wstring SkinFileProblem(std::span<const std::uint8_t> file,
                             const skin::TSkinEnvironment& environment) {
  if (file.empty()) return L"the file is empty";
  QuietSkinMessages quiet;
  skin::TSkinReader reader;
  if (!reader.LoadFromStream(file))
    return L"it is not a skin file this program can read (" + Widen(reader.FailureReason()) + L")";
  const skin::TQuickIni ini = skin::SkinIni(reader);
  if (ini.Lines().empty()) return L"it holds no skin description (no .ini entry)";
  try {
    skin::TSkinElements elements;
    skin::LoadSkinElements(reader, ini, environment, elements);
  } catch (const std::exception& error) {
    return L"a picture in it is damaged (" + Widen(error.what()) + L")";
  }
  return {};
}

} // namespace app
