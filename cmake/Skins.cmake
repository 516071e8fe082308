# The skins and the form descriptions that carry them. The skin sources (skin inis and the BMP pictures
# they share) lie under skins/slate/; skins/SlateSkin.cpp paints them, and the skinslate tool writes
# them there (run by hand, then commit them). The skin builder (tools/skinbuild.cpp) writes every form
# description of app/forms into build/forms/ with the stored data of each of its stored skins packed
# from the skin ini that the stored skin's FileName names; those descriptions are the ones the program
# carries (CMakeLists.txt embeds them). The builder needs only the skin data layer, so it is made before
# the program that embeds its output.
add_executable(skinbuild ${CMAKE_SOURCE_DIR}/tools/skinbuild.cpp)
target_link_libraries(skinbuild PRIVATE ombrix_skin_data)

set(OMBRIX_SKIN_SOURCES ${CMAKE_SOURCE_DIR}/skins/slate)
file(GLOB skin_sources CONFIGURE_DEPENDS ${OMBRIX_SKIN_SOURCES}/*.ini ${OMBRIX_SKIN_SOURCES}/*.bmp)
file(GLOB form_templates CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/forms/*.dfm)
set(OMBRIX_FORMS_DIR ${CMAKE_BINARY_DIR}/forms)
file(MAKE_DIRECTORY ${OMBRIX_FORMS_DIR})
set(OMBRIX_BUILT_FORMS "")
foreach(template IN LISTS form_templates)
  get_filename_component(form_name ${template} NAME)
  add_custom_command(OUTPUT ${OMBRIX_FORMS_DIR}/${form_name}
    COMMAND skinbuild --form ${template} ${OMBRIX_SKIN_SOURCES} ${OMBRIX_FORMS_DIR}/${form_name}
    DEPENDS skinbuild ${template} ${skin_sources}
    COMMENT "Storing the skins of ${form_name}"
    VERBATIM)
  list(APPEND OMBRIX_BUILT_FORMS ${OMBRIX_FORMS_DIR}/${form_name})
endforeach()

# The painting code of the skins, for the skinslate tool and the tests that hold the skins against it.
add_library(ombrix_skins STATIC ${CMAKE_SOURCE_DIR}/skins/SlateSkin.cpp)
target_include_directories(ombrix_skins PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(ombrix_skins PUBLIC ombrix_gfx)

# Makes the skin sources again from skins/SlateSkin.cpp.
add_executable(skinslate ${CMAKE_SOURCE_DIR}/skins/tools/skinslate.cpp)
target_link_libraries(skinslate PRIVATE ombrix_skins)
target_compile_definitions(skinslate PRIVATE OMBRIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
