#include "ce_file.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "ce_strutil.h"
#include "wince/system.h"
#include "wince/text.h"
#include "wince/thread.h"

namespace {

constexpr WORD kByteOrderMark = 0xFEFF;

bool IsDirectory(const WCHAR* path) {
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool CeFile::OpenText(const WCHAR* path, DWORD access, DWORD shareMode, bool openAlways) {
  Close(false);
  m_access = access;
  m_unicode = false;
  m_file = CreateFile(path, access, shareMode, nullptr, openAlways ? OPEN_ALWAYS : OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!IsOpen()) return false;
  WORD mark = 0;
  if (GetSize() >= sizeof mark && Read(&mark, sizeof mark) == sizeof mark && mark == kByteOrderMark)
    m_unicode = true;
  else
    Seek(0);
  return true;
}

bool CeFile::Create(const WCHAR* path, DWORD access, DWORD attributes, bool overwrite) {
  Close(false);
  m_access = access;
  m_unicode = false;
  m_file = CreateFile(path, access, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW, attributes, nullptr);
  return IsOpen();
}

void CeFile::Close(bool flush) {
  DropLines();
  if (!IsOpen()) return;
  if (flush && CanWrite()) FlushFileBuffers(m_file);
  CloseHandle(m_file);
  m_file = nullptr;
  m_access = 0;
}

DWORD CeFile::GetSize() const { return IsOpen() ? GetFileSize(m_file, nullptr) : 0; }

DWORD CeFile::GetPosition() const {
  if (!IsOpen()) return 0;
  const DWORD position = SetFilePointer(m_file, 0, nullptr, FILE_CURRENT);
  return position == INVALID_SET_FILE_POINTER ? 0 : position;
}

bool CeFile::MovePointer(LONG distance, DWORD method) {
  if (!IsOpen()) return false;
  DropLines();
  return SetFilePointer(m_file, distance, nullptr, method) != INVALID_SET_FILE_POINTER;
}

bool CeFile::Seek(DWORD position) { return MovePointer(static_cast<LONG>(position), FILE_BEGIN); }

bool CeFile::SeekToEnd() { return MovePointer(0, FILE_END); }

bool CeFile::Skip(LONG offset) { return MovePointer(offset, FILE_CURRENT); }

DWORD CeFile::Read(void* buffer, DWORD bytes) {
  DWORD done = 0;
  if (!CanRead() || !buffer || !ReadFile(m_file, buffer, bytes, &done, nullptr)) return 0;
  return done;
}

DWORD CeFile::Write(const void* buffer, DWORD bytes) {
  DWORD done = 0;
  if (!CanWrite() || !buffer || !WriteFile(m_file, buffer, bytes, &done, nullptr)) return 0;
  return done;
}

bool CeFile::WriteByteOrderMark() {
  if (!CanWrite() || !Seek(0)) return false;
  const WORD mark = kByteOrderMark;
  if (Write(&mark, sizeof mark) != sizeof mark) return false;
  m_unicode = true;
  return true;
}

void CeFile::DropLines() {
  LocalFree(m_lines);
  m_lines = nullptr;
  m_linePosition = 0;
  m_lineUnits = 0;
}

// Reads the rest of the file into the line buffer as UTF-16; false (nothing
// loaded) when there is nothing left or a read or conversion fails.
bool CeFile::LoadLines() {
  DropLines();
  const DWORD size = GetSize(), position = GetPosition();
  if (size <= position) return false;
  const DWORD bytes = size - position;
  void* raw = LocalAlloc(LMEM_FIXED, bytes);
  if (!raw) return false;
  const DWORD got = Read(raw, bytes);
  if (m_unicode) {
    m_lines = static_cast<WCHAR*>(raw);
    m_lineUnits = got / sizeof(WCHAR);
  } else {
    const int units = got ? MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, static_cast<char*>(raw),
                                                static_cast<int>(got), nullptr, 0)
                          : 0;
    m_lines = units > 0 ? static_cast<WCHAR*>(LocalAlloc(LMEM_FIXED, units * sizeof(WCHAR))) : nullptr;
    if (m_lines)
      m_lineUnits = static_cast<DWORD>(
          MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, static_cast<char*>(raw), static_cast<int>(got), m_lines, units));
    LocalFree(raw);
  }
  if (m_lineUnits == 0) DropLines();
  return m_lines != nullptr;
}

int CeFile::ReadLine(WCHAR* destination, int maximum) {
  if (!destination || maximum <= 0) return 0;
  destination[0] = 0;
  if (!CanRead()) return 0;
  if (!m_lines && !LoadLines()) return 0;
  int copied = 0;
  while (m_linePosition < m_lineUnits && copied < maximum - 1 && m_lines[m_linePosition] != u'\r')
    destination[copied++] = m_lines[m_linePosition++];
  if (m_linePosition < m_lineUnits && m_lines[m_linePosition] == u'\r') {
    ++m_linePosition;
    if (m_linePosition < m_lineUnits && m_lines[m_linePosition] == u'\n') ++m_linePosition;
  }
  destination[copied] = 0;
  if (m_linePosition >= m_lineUnits) DropLines();
  return copied;
}

int CeFile::WriteLine(const WCHAR* text, bool asAnsi) {
  if (!CanWrite() || !text) return 0;
  const int units = static_cast<int>(wcslen(text));
  if (!asAnsi) {
    m_unicode = true;
    const DWORD written = Write(text, units * sizeof(WCHAR));
    Write(u"\r\n", 2 * sizeof(WCHAR));
    return static_cast<int>(written);
  }
  m_unicode = false;
  DWORD written = 0;
  if (units > 0) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr);
    auto* narrow = bytes > 0 ? static_cast<char*>(LocalAlloc(LMEM_FIXED, bytes)) : nullptr;
    if (!narrow) return 0;
    WideCharToMultiByte(CP_ACP, 0, text, units, narrow, bytes, nullptr, nullptr);
    written = Write(narrow, static_cast<DWORD>(bytes));
    LocalFree(narrow);
  }
  Write("\r\n", 2);
  return static_cast<int>(written);
}

bool CeFile::AtEnd() {
  if (!CanRead() || m_lines) return false;
  BYTE probe;
  DWORD got = 0;
  if (!ReadFile(m_file, &probe, 1, &got, nullptr)) return false;
  if (got == 0) return true;
  SetFilePointer(m_file, -1, nullptr, FILE_CURRENT);
  return false;
}

bool CeFile::FileInformation(BY_HANDLE_FILE_INFORMATION& info) const {
  return IsOpen() && GetFileInformationByHandle(m_file, &info);
}

DWORD CeFile::GetAttributes() const {
  BY_HANDLE_FILE_INFORMATION info;
  return FileInformation(info) ? info.dwFileAttributes : 0;
}

bool CeFile::Time(FILETIME BY_HANDLE_FILE_INFORMATION::*field, FILETIME* time) const {
  BY_HANDLE_FILE_INFORMATION info;
  if (!time || !FileInformation(info)) return false;
  *time = info.*field;
  return true;
}

int CreateDirectoryPath(const WCHAR* path) {
  WCHAR* directory = PathDirectory(path);
  if (!directory) return 0;
  std::u16string levels = directory;
  std::free(directory);
  if (IsDirectory(levels.c_str())) return 1;
  if (!levels.empty() && levels.front() == u'\\') levels.erase(0, 1);
  if (!levels.empty() && levels.back() == u'\\') levels.pop_back();
  std::u16string made;
  int count = 0;
  for (size_t start = 0; start <= levels.size(); ++count) {
    size_t end = levels.find(u'\\', start);
    if (end == std::u16string::npos) end = levels.size();
    made += (count ? u"\\" : u"") + levels.substr(start, end - start);
    CreateDirectoryW(made.c_str(), nullptr);
    start = end + 1;
  }
  return IsDirectory(made.c_str()) ? count : 0;
}
