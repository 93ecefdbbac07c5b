#include "platform/drive_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "platform/safe_file_writer.h"

namespace fs = std::filesystem;

namespace ts {
namespace {

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool hasDriveLetter(std::string_view name) {
  return name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
}

std::vector<std::string> splitComponents(std::string_view text) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

}  // namespace

DriveMap::DriveMap(fs::path driveC) { m_drives[2] = std::move(driveC); }

fs::path DriveMap::defaultRoot(const std::string& rootOption) {
  if (!rootOption.empty()) return fs::absolute(rootOption);
  if (const char* env = std::getenv("TONESMITH_ROOT"); env && *env) return fs::absolute(env);
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return fs::path(data) / "tonesmith";
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".local/share/tonesmith";
  return fs::temp_directory_path() / "tonesmith";
}

void DriveMap::mapDrive(char letter, fs::path folder) {
  const int index = std::toupper(static_cast<unsigned char>(letter)) - 'A';
  if (index >= 0 && index < 26) m_drives[index] = std::move(folder);
}

void DriveMap::mapDrivesFromEnvironment() {
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    const std::string variable = std::string("TONESMITH_DRIVE_") + letter;
    if (const char* folder = std::getenv(variable.c_str()); folder && *folder) mapDrive(letter, folder);
  }
}

fs::path DriveMap::toHost(std::string_view name) const {
  if (hasDriveLetter(name)) {
    const fs::path& drive = m_drives[std::toupper(static_cast<unsigned char>(name[0])) - 'A'];
    if (drive.empty()) return {};
    fs::path result = drive;
    for (const std::string& part : splitComponents(name.substr(2))) result /= part;
    return result;
  }
  // A name such as \SONGS\A.MUS is rooted in the current drive, which is always C: for
  // the engine; only a forward slash starts a host path.
  if (!name.empty() && name[0] == '\\') return toHost("C:" + std::string(name));
  const bool absolute = !name.empty() && name[0] == '/';
  fs::path result = absolute ? fs::path("/") : fs::path();
  for (const std::string& part : splitComponents(name)) result /= part;
  return result;
}

std::optional<fs::path> findInFolder(const fs::path& folder, const std::string& name) {
  std::error_code error;
  const fs::path exact = (folder.empty() ? fs::path(".") : folder) / name;
  if (fs::exists(exact, error)) return folder.empty() ? fs::path(name) : folder / name;
  if (name == "." || name == "..") return std::nullopt;
  const std::string wanted = upper(name);
  std::vector<std::string> matches;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (upper(entry) == wanted) matches.push_back(entry);
  }
  if (matches.empty()) return std::nullopt;
  std::sort(matches.begin(), matches.end());
  return folder.empty() ? fs::path(matches.front()) : folder / matches.front();
}

std::optional<fs::path> DriveMap::findExisting(std::string_view name) const {
  const fs::path host = toHost(name);
  if (host.empty()) return std::nullopt;
  fs::path current = host.has_root_path() ? host.root_path() : fs::path();
  for (const fs::path& part : host.relative_path()) {
    const std::optional<fs::path> found = findInFolder(current, part.string());
    if (!found) return std::nullopt;
    current = *found;
  }
  return current;
}

fs::path DriveMap::forWriting(std::string_view name) const {
  const fs::path host = toHost(name);
  if (host.empty() || !host.has_filename()) return {};
  fs::path current = host.has_root_path() ? host.root_path() : fs::path();
  bool matching = true;
  for (const fs::path& part : host.relative_path()) {
    std::optional<fs::path> found = matching ? findInFolder(current, part.string()) : std::nullopt;
    if (found) {
      current = *found;
    } else {
      matching = false;
      current /= part;
    }
  }
  return current;
}

bool DriveMap::makeFolders(std::string_view name) const {
  while (!name.empty() && (name.back() == '\\' || name.back() == '/')) name.remove_suffix(1);
  const fs::path folder = forWriting(name);
  if (folder.empty()) return false;
  std::error_code error;
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error);
}

WriteResult DriveMap::writeWhole(std::string_view name, std::span<const uint8_t> bytes) const {
  return writeFileSafely(forWriting(name), bytes);
}

}  // namespace ts
