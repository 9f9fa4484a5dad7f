#include "text/zip_library.h"

#include <dlfcn.h>

namespace text {

namespace {

// False, with why, when the library lacks the function.
template <typename Function>
bool Find(void* handle, const char* name, Function& function, std::string& why) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  if (!function) why = dlerror();
  return function != nullptr;
}

}  // namespace

ZipLibrary LoadZipLibrary(const char* soname) {
  ZipLibrary library;
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  std::string why = handle ? "" : dlerror();
  const bool found =
      handle && Find(handle, "zip_open", library.open, why) &&
      Find(handle, "zip_discard", library.discard, why) &&
      Find(handle, "zip_get_error", library.get_error, why) &&
      Find(handle, "zip_name_locate", library.name_locate, why) &&
      Find(handle, "zip_get_name", library.get_name, why) && Find(handle, "zip_fopen", library.fopen, why) &&
      Find(handle, "zip_fread", library.fread, why) && Find(handle, "zip_fclose", library.fclose, why) &&
      Find(handle, "zip_file_get_error", library.file_get_error, why) &&
      Find(handle, "zip_error_init_with_code", library.error_init_with_code, why) &&
      Find(handle, "zip_error_strerror", library.error_strerror, why) &&
      Find(handle, "zip_error_fini", library.error_fini, why);
  if (found) return library;  // the handle stays open: the functions are used until the process ends
  if (handle) dlclose(handle);
  library = ZipLibrary();
  library.error = std::string("libzip (") + soname + ") cannot be loaded: " + why;
  return library;
}

const ZipLibrary& LinkedZipLibrary() {
  static const ZipLibrary library = LoadZipLibrary(LIBZIP_SONAME);
  return library;
}

}  // namespace text
