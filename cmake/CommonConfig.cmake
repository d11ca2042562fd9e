# One place for warnings, sanitizers and Qt defines; every target links lotto_warnings.
add_library(lotto_warnings INTERFACE)
target_compile_options(lotto_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor
  $<$<BOOL:${LOTTO_WERROR}>:-Werror>)
target_compile_definitions(lotto_warnings INTERFACE
  QT_NO_KEYWORDS QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

if(LOTTO_SANITIZE)
  # -g1: line numbers in the sanitizers' reports at little cost
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g1)
  add_link_options(-fsanitize=address,undefined)
endif()

set(CMAKE_AUTOMOC OFF)

# lld links the large test executables several times faster than the default linker.
option(LOTTO_USE_LLD "Link with lld when it is installed" ON)
find_program(LOTTO_LLD NAMES ld.lld)
if(LOTTO_USE_LLD AND LOTTO_LLD)
  add_link_options(-fuse-ld=lld)
endif()
