find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test)
find_package(JPEG REQUIRED)
find_package(TIFF REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET spng)

set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
