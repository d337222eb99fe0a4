# pellix_add_widget_extension(<target> ID <reverse-dns id> VERSION <x.y.z> [SOURCES ...])
#
# A widget extension: a Qt plug-in module <target>.so linked with the SDK,
# exporting only its plug-in entry points, and the metadata its
# Q_PLUGIN_METADATA(... FILE "pellix-extension.json") reads: the id, the
# version and the widget API version it was built with, which the host reads
# before loading it.
function(pellix_add_widget_extension target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "ID;VERSION" "SOURCES")
  if(NOT arg_ID OR NOT arg_VERSION)
    message(FATAL_ERROR "pellix_add_widget_extension(${target}): ID and VERSION are required")
  endif()
  if(NOT arg_ID MATCHES "^[A-Za-z0-9_.-]+$")
    message(FATAL_ERROR "pellix_add_widget_extension(${target}): the ID \"${arg_ID}\" has other characters than letters, digits, '.', '-' and '_'")
  endif()
  add_library(${target} MODULE ${arg_SOURCES})
  set(metadata_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_metadata)
  file(CONFIGURE OUTPUT ${metadata_dir}/pellix-extension.json CONTENT
    "{\n  \"id\": \"${arg_ID}\",\n  \"version\": \"${arg_VERSION}\",\n  \"apiVersion\": \"${PELLIX_WIDGETKIT_VERSION}\"\n}\n")
  # moc looks for the FILE of Q_PLUGIN_METADATA along the include path.
  target_include_directories(${target} PRIVATE ${metadata_dir})
  target_link_libraries(${target} PRIVATE PellixWidgetKit::WidgetKit)
  set_target_properties(${target} PROPERTIES PREFIX "" AUTOMOC ON CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  # Static libraries linked in stay private to the plug-in.
  target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL)
endfunction()
