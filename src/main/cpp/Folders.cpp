// Natives of com.brevanto.qovin.util.Folders: the simulator's folders and paths.
#include <XPLMUtilities.h>

#include <cstring>
#include <string>
#include <vector>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_util_Folders.h"

#define QOVIN_FOLDERS(name) Java_com_brevanto_qovin_util_Folders_##name

namespace {

// The simulator writes at most 512 bytes; the buffer is twice that, and the
// text is cut at its end should no zero byte come before.
constexpr size_t kPathBuffer = 1024;

template <typename Get>
jstring pathFrom(JNIEnv* env, Get get) {
  char buffer[kPathBuffer] = {};
  get(buffer);
  return newJavaString(env, buffer, strnlen(buffer, sizeof buffer));
}

// One page of a folder listing: up to kPageBytes of names, kPageNames of them.
constexpr int kPageBytes = 16384;
constexpr int kPageNames = 512;

}  // namespace

JNIEXPORT jstring JNICALL QOVIN_FOLDERS(systemPathN)(JNIEnv* env, jclass) {
  return pathFrom(env, [](char* out) { XPLMGetSystemPath(out); });
}

JNIEXPORT jstring JNICALL QOVIN_FOLDERS(prefsPathN)(JNIEnv* env, jclass) {
  return pathFrom(env, [](char* out) { XPLMGetPrefsPath(out); });
}

// A null separator gives "".
JNIEXPORT jstring JNICALL QOVIN_FOLDERS(separatorN)(JNIEnv* env, jclass) {
  const char* separator = XPLMGetDirectorySeparator();
  return newJavaString(env, separator != nullptr ? separator : "");
}

// {folder, file}. The simulator cuts a copy of the path; a null path, or a
// file name the simulator places outside that copy, gives the whole path and "".
JNIEXPORT jobjectArray JNICALL QOVIN_FOLDERS(extractFileAndPathN)(JNIEnv* env, jclass, jstring jpath) {
  const Utf8 path(env, jpath);
  std::vector<char> buffer(path.orEmpty(), path.orEmpty() + std::strlen(path.orEmpty()) + 1);
  const char* file = path ? XPLMExtractFileAndPath(buffer.data()) : nullptr;
  const bool inside = file != nullptr && file >= buffer.data() && file < buffer.data() + buffer.size();
  const size_t folderLength = strnlen(buffer.data(), buffer.size());
  return newJavaStrings(env, {std::string(buffer.data(), folderLength),
                           inside ? std::string(file, strnlen(file, buffer.data() + buffer.size() - file))
                                  : std::string()});
}

// The folder is listed in pages of at most 16 KiB of names and 512 names, from
// entry 0 on, each page from the entry after the last one read, until the
// simulator says every name fitted. A page that brings no name (a name too
// long for a page), or more pages than the folder has names, ends the list.
// Names are read within the page's buffer only. A null folder gives null.
JNIEXPORT jobjectArray JNICALL QOVIN_FOLDERS(directoryContentsN)(JNIEnv* env, jclass, jstring jfolder) {
  const Utf8 folder(env, jfolder);
  if (!folder) return nullptr;
  std::vector<char> page(kPageBytes);
  std::vector<char*> indices(kPageNames);
  std::vector<std::string> names;
  for (int pages = 0;; ++pages) {
    int total = 0;
    int returned = 0;
    const int complete = XPLMGetDirectoryContents(folder.c_str(), static_cast<int>(names.size()), page.data(),
                                                  kPageBytes, indices.data(), kPageNames, &total, &returned);
    size_t at = 0;
    for (int i = 0; i < returned && i < kPageNames && at < page.size(); ++i) {
      const size_t length = strnlen(page.data() + at, page.size() - at);
      if (length == 0 || at + length == page.size()) break;  // the closing empty name, or no terminator
      names.emplace_back(page.data() + at, length);
      at += length + 1;
    }
    if (complete != 0 || returned <= 0 || pages > total) break;
  }
  return newJavaStrings(env, names);
}
