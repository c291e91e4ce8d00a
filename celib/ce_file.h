// A device file for raw byte access and for line-oriented text, in UTF-16
// (marked by a byte-order mark at the start) or in the ANSI code page; and
// CreateDirectoryPath, which makes every missing folder of a path. Every
// operation on a closed file returns 0 or false.
#pragma once

#include "wince/file.h"
#include "wince/types.h"

class CeFile {
 public:
  CeFile() = default;
  CeFile(const CeFile&) = delete;
  CeFile& operator=(const CeFile&) = delete;
  ~CeFile() { Close(true); }

  // Opens an existing file (or, with openAlways, makes it) and looks for the
  // byte-order mark; an empty file stays open.
  bool OpenText(const WCHAR* path, DWORD access, DWORD shareMode, bool openAlways);
  // A new file, unshared; replaces an existing one only with overwrite.
  bool Create(const WCHAR* path, DWORD access, DWORD attributes, bool overwrite);
  // Flushes a file open for writing when asked, then closes it.
  void Close(bool flush);

  bool IsOpen() const { return m_file != nullptr && m_file != INVALID_HANDLE_VALUE; }
  bool IsUnicode() const { return m_unicode; }
  DWORD GetSize() const;
  DWORD GetPosition() const;
  // Positions drop any text read ahead by ReadLine.
  bool Seek(DWORD position);
  bool SeekToStart() { return Seek(0); }
  bool SeekToEnd();
  bool Skip(LONG offset);

  // Bytes transferred; 0 without read (write) access.
  DWORD Read(void* buffer, DWORD bytes);
  DWORD Write(const void* buffer, DWORD bytes);
  // Writes the UTF-16 mark at the start and marks the file as UTF-16.
  bool WriteByteOrderMark();

  // The next line (ended by CR or CR LF; an LF alone belongs to the line)
  // into destination, which holds `maximum` units with the terminator; a
  // longer line goes on in the next call. Returns the units copied.
  int ReadLine(WCHAR* destination, int maximum);
  // The text and CR LF, in UTF-16 or (asAnsi) in the ANSI code page; returns
  // the bytes written for the text, without the line end.
  int WriteLine(const WCHAR* text, bool asAnsi);
  // True when no text is read ahead and the file has nothing more to read.
  bool AtEnd();

  // From the platform's information block, read at each call.
  DWORD GetAttributes() const;
  bool GetCreationTime(FILETIME* time) const { return Time(&BY_HANDLE_FILE_INFORMATION::ftCreationTime, time); }
  bool GetLastAccessTime(FILETIME* time) const { return Time(&BY_HANDLE_FILE_INFORMATION::ftLastAccessTime, time); }
  bool GetLastWriteTime(FILETIME* time) const { return Time(&BY_HANDLE_FILE_INFORMATION::ftLastWriteTime, time); }

 private:
  bool FileInformation(BY_HANDLE_FILE_INFORMATION& info) const;
  bool Time(FILETIME BY_HANDLE_FILE_INFORMATION::*field, FILETIME* time) const;
  bool CanRead() const { return IsOpen() && (m_access & GENERIC_READ); }
  bool CanWrite() const { return IsOpen() && (m_access & GENERIC_WRITE); }
  bool MovePointer(LONG distance, DWORD method);
  bool LoadLines();
  void DropLines();

  bool m_unicode = false;
  HANDLE m_file = nullptr;
  DWORD m_access = 0;
  WCHAR* m_lines = nullptr;  // text read ahead by ReadLine
  DWORD m_linePosition = 0;
  DWORD m_lineUnits = 0;
};

// Makes every missing folder of the directory part of `path` (everything up
// to its last "\"). Returns 1 when that folder exists already, otherwise the
// number of levels, or 0 when the folder could not be made.
int CreateDirectoryPath(const WCHAR* path);
