# The built-in skins. Each skin's sources (a skin ini and its BMP pictures, under skins/<name>/) are packed
# at build time into a compressed skin file, build/skins/<Name>.skn, whose bytes are compiled into the
# library ombrix_skins (skins/BuiltInSkins.h finds them by name). The skin builder (tools/skinbuild.cpp)
# needs only the skin data layer, so the program that embeds its output can depend on it.
add_executable(skinbuild ${CMAKE_SOURCE_DIR}/tools/skinbuild.cpp)
target_link_libraries(skinbuild PRIVATE ombrix_skin_data)

set(OMBRIX_SKINS_DIR ${CMAKE_BINARY_DIR}/skins)
file(MAKE_DIRECTORY ${OMBRIX_SKINS_DIR})

# name of the packed skin, then its skin ini
set(ombrix_skin_list "OmbrixSlate;slate/slate.ini")
set(packed_skins "")
list(LENGTH ombrix_skin_list n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET ombrix_skin_list ${i} skin_name)
  list(GET ombrix_skin_list ${j} skin_ini)
  get_filename_component(skin_dir ${CMAKE_SOURCE_DIR}/skins/${skin_ini} DIRECTORY)
  file(GLOB skin_pictures CONFIGURE_DEPENDS ${skin_dir}/*.bmp)
  add_custom_command(OUTPUT ${OMBRIX_SKINS_DIR}/${skin_name}.skn
    COMMAND skinbuild ${CMAKE_SOURCE_DIR}/skins/${skin_ini} ${OMBRIX_SKINS_DIR}/${skin_name}.skn
    DEPENDS skinbuild ${CMAKE_SOURCE_DIR}/skins/${skin_ini} ${skin_pictures}
    COMMENT "Packing the skin ${skin_name}"
    VERBATIM)
  list(APPEND packed_skins ${OMBRIX_SKINS_DIR}/${skin_name}.skn)
endforeach()

add_custom_command(OUTPUT ${OMBRIX_SKINS_DIR}/BuiltInSkinData.cpp
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${OMBRIX_SKINS_DIR}/BuiltInSkinData.cpp -DFUNCTION=RegisterBuiltInSkinData
          -DREGISTER=RegisterBuiltInSkin -DHEADER=skins/BuiltInSkins.h "-DFILES=${packed_skins}"
          -P ${CMAKE_SOURCE_DIR}/cmake/Embed.cmake
  DEPENDS ${packed_skins} ${CMAKE_SOURCE_DIR}/cmake/Embed.cmake
  VERBATIM)

file(GLOB skins_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/skins/*.cpp)
add_library(ombrix_skins STATIC ${skins_sources} ${OMBRIX_SKINS_DIR}/BuiltInSkinData.cpp)
target_include_directories(ombrix_skins PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ombrix_skins PUBLIC ombrix_skin_data)
target_link_libraries(ombrix_app PUBLIC ombrix_skins)

# Makes the sources of the Slate skin again from skins/SlateSkin.cpp (run by hand, then commit them).
# It compiles the painting code itself, so that it builds even before there are sources to pack.
add_executable(skinslate ${CMAKE_SOURCE_DIR}/skins/tools/skinslate.cpp ${CMAKE_SOURCE_DIR}/skins/SlateSkin.cpp)
target_include_directories(skinslate PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(skinslate PRIVATE ombrix_gfx)
target_compile_definitions(skinslate PRIVATE OMBRIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
