# Every dependency comes from a Debian package (scripts/install-deps.sh installs them).
find_package(PkgConfig REQUIRED)
pkg_check_modules(MagickWand REQUIRED IMPORTED_TARGET MagickWand-6.Q16)
pkg_check_modules(cJSON REQUIRED IMPORTED_TARGET libcjson)
pkg_check_modules(ImageQuant REQUIRED IMPORTED_TARGET imagequant)
pkg_check_modules(Nettle REQUIRED IMPORTED_TARGET nettle)
pkg_check_modules(TurboJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
pkg_check_modules(Jpeg REQUIRED IMPORTED_TARGET libjpeg)
find_package(Threads REQUIRED)

# LodePNG ships a header and a shared library but no pkg-config file.
find_path(LODEPNG_INCLUDE_DIR lodepng.h REQUIRED)
find_library(LODEPNG_LIBRARY lodepng REQUIRED)
add_library(LodePNG::lodepng UNKNOWN IMPORTED)
set_target_properties(LodePNG::lodepng PROPERTIES
  IMPORTED_LOCATION ${LODEPNG_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${LODEPNG_INCLUDE_DIR})

if(PLAZOR_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network Svg Test)
endif()

if(PLAZOR_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
