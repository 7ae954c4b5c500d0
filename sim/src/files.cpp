// XPLMUtilities files: cutting a path into folder and file name, and listing
// a folder one page at a time.
#include <XPLMUtilities.h>

#include <dirent.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "state.h"

using namespace xplmsim;

// The last "/" becomes a zero byte: the buffer keeps the folder, and the file
// name after it is returned. A path without one gives an empty name at its end;
// a trailing "/" is removed, giving an empty name. A null path gives null.
char* XPLMExtractFileAndPath(char* inFullPath) {
  record("XPLMExtractFileAndPath", std::string(inFullPath ? inFullPath : ""));
  if (inFullPath == nullptr) return nullptr;
  char* last = std::strrchr(inFullPath, '/');
  if (last == nullptr) return inFullPath + std::strlen(inFullPath);
  *last = '\0';
  return last + 1;
}

namespace {

// The entries of `folder`, sorted, without "." and ".."; false if it cannot be read.
bool entries(const char* folder, std::vector<std::string>* names) {
  DIR* dir = opendir(folder);
  if (dir == nullptr) return false;
  while (const dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      names->push_back(entry->d_name);
    }
  }
  closedir(dir);
  std::sort(names->begin(), names->end());
  return true;
}

}  // namespace

// Names from entry inFirstReturn (a negative one counts as 0) are packed while
// each fits with room left for the closing empty name and, if there are
// indices, for the closing null index. 1 if every name from there on fitted;
// 0 if not, or if the folder cannot be read (no names, total 0).
int XPLMGetDirectoryContents(const char* inDirectoryPath, int inFirstReturn, char* outFileNames,
                             int inFileNameBufSize, char** outIndices, int inIndexCount, int* outTotalFiles,
                             int* outReturnedFiles) {
  record("XPLMGetDirectoryContents", std::string(inDirectoryPath ? inDirectoryPath : ""), num(inFirstReturn),
         ptr(outFileNames), num(inFileNameBufSize), ptr(outIndices), num(inIndexCount), ptr(outTotalFiles),
         ptr(outReturnedFiles));
  std::vector<std::string> names;
  const bool readable = inDirectoryPath != nullptr && entries(underSystemPath(inDirectoryPath).c_str(), &names);
  const size_t first = static_cast<size_t>(std::max(0, inFirstReturn));
  size_t used = 0;
  int returned = 0;
  const bool room = outFileNames != nullptr && inFileNameBufSize > 0 && (outIndices == nullptr || inIndexCount > 0);
  if (room) {
    const size_t bytes = static_cast<size_t>(inFileNameBufSize) - 1;  // the closing empty name
    const int slots = outIndices == nullptr ? -1 : inIndexCount - 1;   // the closing null index
    for (size_t i = first; i < names.size(); ++i) {
      const std::string& name = names[i];
      if (used + name.size() + 1 > bytes || returned == slots) break;
      std::memcpy(outFileNames + used, name.c_str(), name.size() + 1);
      if (outIndices != nullptr) outIndices[returned] = outFileNames + used;
      used += name.size() + 1;
      ++returned;
    }
    outFileNames[used] = '\0';
    if (outIndices != nullptr) outIndices[returned] = nullptr;
  }
  if (outTotalFiles != nullptr) *outTotalFiles = static_cast<int>(names.size());
  if (outReturnedFiles != nullptr) *outReturnedFiles = returned;
  const size_t remaining = first < names.size() ? names.size() - first : 0;
  return readable && static_cast<size_t>(returned) == remaining ? 1 : 0;
}
