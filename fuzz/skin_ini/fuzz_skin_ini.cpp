// Any text loads, and every lookup with the sections and keys it holds returns without fault: a
// found section is a header of that name, and a value is never empty.
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_text.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  skin::TQuickIni ini;
  ini.LoadFromStream(std::span<const std::uint8_t>(data, size));
  const std::vector<std::string> sections = ini.ReadSections();

  std::size_t queries = 0;
  for (const std::string& section : sections) {
    if (++queries > 32) break;
    const int header = ini.FindSection(section);
    if (header < -1 || header >= static_cast<int>(ini.Lines().size())) std::abort();
    if (header >= 0 && !skin::EqualsIgnoringAsciiCase(ini.Lines()[static_cast<std::size_t>(header)],
                                                      "[" + section + "]")) {
      std::abort();
    }
    for (std::size_t i = header < 0 ? 0 : static_cast<std::size_t>(header) + 1;
         i < ini.Lines().size() && i < static_cast<std::size_t>(header) + 9; ++i) {
      const std::string& line = ini.Lines()[i];
      const std::string key(line.substr(0, line.find('=')));
      const std::string value = ini.ReadString(section, skin::TrimControls(key), "\x01");
      if (value.empty()) std::abort(); // empty values give the default, never ""
      ini.ReadInteger(section, key, -1);
    }
  }
  if (!ini.Lines().empty() && ini.ReadString("\x02missing", "key", "d") != "d") std::abort();
  return 0;
}
