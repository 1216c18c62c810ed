# Imported targets for every third-party library, named QY::<name>, so the
# layers link by name and never repeat include or flag details.
find_package(PkgConfig REQUIRED)

pkg_check_modules(QY_CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(QY_PANGO REQUIRED IMPORTED_TARGET pangocairo pango harfbuzz fontconfig)
pkg_check_modules(QY_PNG REQUIRED IMPORTED_TARGET libpng)
pkg_check_modules(QY_TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
pkg_check_modules(QY_SQLITE REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(QY_AMRNB REQUIRED IMPORTED_TARGET opencore-amrnb)
pkg_check_modules(QY_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(QY_PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(QY_ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(QY_UUID REQUIRED IMPORTED_TARGET uuid)

find_package(nlohmann_json 3 REQUIRED)
find_package(CLI11 CONFIG REQUIRED)
find_package(GTest REQUIRED)
if(QY_BENCH)
  find_package(benchmark REQUIRED)
endif()

find_program(QY_RSVG_CONVERT rsvg-convert REQUIRED)

add_library(QY::cairo ALIAS PkgConfig::QY_CAIRO)
add_library(QY::pango ALIAS PkgConfig::QY_PANGO)
add_library(QY::png ALIAS PkgConfig::QY_PNG)
add_library(QY::turbojpeg ALIAS PkgConfig::QY_TURBOJPEG)
add_library(QY::sqlite ALIAS PkgConfig::QY_SQLITE)
add_library(QY::amrnb ALIAS PkgConfig::QY_AMRNB)
add_library(QY::sdl2 ALIAS PkgConfig::QY_SDL2)
add_library(QY::plist ALIAS PkgConfig::QY_PLIST)
add_library(QY::icu ALIAS PkgConfig::QY_ICU)
add_library(QY::uuid ALIAS PkgConfig::QY_UUID)
