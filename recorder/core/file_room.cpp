#include "recorder/core/file_room.h"

namespace recorder {

std::uint64_t BytesForFrame(std::uint32_t frameBytes, std::int64_t slotsInFile) {
  const std::uint64_t slots = slotsInFile > 0 ? static_cast<std::uint64_t>(slotsInFile) : 1;
  // Samples are padded to an even length.
  return frameBytes + 1u + slots * kBytesPerSlot;
}

bool FitsOnVolume(std::uint64_t freeBytes, std::uint32_t frameBytes, std::int64_t slotsInFile) {
  return freeBytes >= BytesForFrame(frameBytes, slotsInFile) + kCloseReserve;
}

bool FitsInFile(std::uint64_t fileBytes, std::uint32_t frameBytes, std::int64_t slotsInFile,
                std::uint64_t limit) {
  return fileBytes + BytesForFrame(frameBytes, slotsInFile) + kCloseReserve <= limit;
}

std::optional<std::uint64_t>
FreeBytesAskedTwice(const std::function<std::optional<std::uint64_t>()>& query) {
  if (auto bytes = query()) return bytes;
  return query();
}

std::wstring NextFollowOnName(const std::wstring& name, int& part,
                              const std::function<bool(const std::wstring&)>& exists) {
  std::wstring next;
  do
    next = FollowOnName(name, ++part);
  while (exists(next));
  return next;
}

std::wstring FolderOf(const std::wstring& name) {
  const size_t end = name.find_last_of(L"\\/:");
  return end == std::wstring::npos ? std::wstring() : name.substr(0, end + 1);
}

std::wstring FollowOnName(const std::wstring& name, int part) {
  if (part <= 1) return name;
  const std::wstring number = L"-" + std::to_wstring(part);
  const size_t folderEnd = FolderOf(name).size();
  const size_t dot = name.find_last_of(L'.');
  if (dot == std::wstring::npos || dot < folderEnd) return name + number;
  return name.substr(0, dot) + number + name.substr(dot);
}

} // namespace recorder
