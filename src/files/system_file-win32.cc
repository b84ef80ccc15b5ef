#include <sys/stat.h>

#include "files/system_file.h"
#include "text/encoding.h"

namespace {

// `path`, kept in UTF-8, as the UTF-16 name the file functions take;
// nothing for a path that is not UTF-8: it names no file there is.
std::optional<std::wstring> SystemName(const std::string& path) {
  const std::optional<std::u16string> units = Utf8ToUtf16(path);
  if (!units || units->empty()) return std::nullopt;
  return std::wstring(units->begin(), units->end());
}

bool IsRegular(const std::wstring& name) {
  struct _stat64 info;
  return _wstat64(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  const std::optional<std::wstring> name = SystemName(path);
  return name && IsRegular(*name);
}

std::FILE* OpenRegularFile(const std::string& path) {
  // Looked at before opening, as opening a named pipe waits for a writer;
  // looked at again once open, in case the file was replaced in between.
  const std::optional<std::wstring> name = SystemName(path);
  if (!name || !IsRegular(*name)) return nullptr;
  std::FILE* file = _wfopen(name->c_str(), L"rb");
  struct _stat64 info;
  if (file != nullptr && (_fstat64(_fileno(file), &info) != 0 || !S_ISREG(info.st_mode))) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}
