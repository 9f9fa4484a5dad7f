#pragma once
// libzip, loaded when the first zip is read rather than when the program
// starts: most runs read the unzipped files, and libzip with the libraries it
// needs costs every start. Only the functions the zip reader uses.
#include <zip.h>

#include <string>

namespace text {

struct ZipLibrary {
  decltype(&::zip_open) open = nullptr;
  decltype(&::zip_discard) discard = nullptr;
  decltype(&::zip_get_error) get_error = nullptr;
  decltype(&::zip_name_locate) name_locate = nullptr;
  decltype(&::zip_get_name) get_name = nullptr;
  decltype(&::zip_fopen) fopen = nullptr;
  decltype(&::zip_fread) fread = nullptr;
  decltype(&::zip_fclose) fclose = nullptr;
  decltype(&::zip_file_get_error) file_get_error = nullptr;
  decltype(&::zip_error_init_with_code) error_init_with_code = nullptr;
  decltype(&::zip_error_strerror) error_strerror = nullptr;
  decltype(&::zip_error_fini) error_fini = nullptr;
  std::string error;  // why the library cannot be used; empty when every function was found
};

// Loads the library by soname and finds its functions; kept loaded for the
// rest of the process when it can be used.
ZipLibrary LoadZipLibrary(const char* soname);

// The libzip the build linked against, loaded at the first call, once for
// every thread.
const ZipLibrary& LinkedZipLibrary();

}  // namespace text
