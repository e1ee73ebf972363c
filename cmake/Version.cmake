# The program's one version: project(VERSION) and its release date, as a generated header
# (lab2siv_version.h) for every target that links lab2siv_version.
set(LAB2SIV_VERSION_DATE "09.09.2008")
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/lab2siv_version.h @ONLY)
add_library(lab2siv_version INTERFACE)
target_include_directories(lab2siv_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
