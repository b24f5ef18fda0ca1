// windows_floor: the least a Windows program can do to have every return file of a folder in
// memory, with plain Win32 calls: list the folder, then open, read whole (one ReadFile into
// one buffer, of the size the listing gave) and close each file, one after another. The
// Windows benchmark (bench/windows-bench) compares the viewer with it.
//
//   windows_floor FOLDER [RUNS]     prints the median time in ms, the files and the bytes

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Read {
  std::size_t files = 0;
  unsigned long long bytes = 0;
};

Read read_folder(const std::wstring& folder, std::vector<char>& buffer) {
  Read read;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return read;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::size_t size =
        (static_cast<std::size_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    if (buffer.size() < size) buffer.resize(size);
    const HANDLE file = CreateFileW((folder + L"\\" + found.cFileName).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD got = 0;
    if (ReadFile(file, buffer.data(), static_cast<DWORD>(size), &got, nullptr)) {
      read.bytes += got;
    }
    CloseHandle(file);
    ++read.files;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return read;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: windows_floor FOLDER [RUNS]\n", stderr);
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 1;
  std::vector<char> buffer;
  std::vector<double> ms;
  Read read;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    read = read_folder(argv[1], buffer);
    ms.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%.1f ms %zu files %llu bytes\n", ms[ms.size() / 2], read.files, read.bytes);
  return 0;
}
