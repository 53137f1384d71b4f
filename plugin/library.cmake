# The control, its dialogs and the per-thread module, as a static library: the shared library
# is made of it, and the tests link it to hand the control stand-in services.
add_library(qrn_plugin STATIC
    plg.h
    plg.cpp
    module.h
    module.cpp
    plugin_dialogs.h
    plugin_dialogs.cpp
    options.h
    options.cpp
    about_frm.h
    about_frm.cpp
)
set_target_properties(qrn_plugin PROPERTIES AUTOMOC ON)
target_link_libraries(qrn_plugin PUBLIC qrn_editor qrn_platform_widgets qrn_platform_qt
                                        Qt6::Widgets qrn_common)

# libQRNPlg.so: the four exports are all it shows; the code of the static libraries inside it
# stays hidden, so two copies loaded into one host cannot mix.
add_library(QRNPlg SHARED exports.cpp ${PROJECT_SOURCE_DIR}/platform/qrnplg.h)
target_link_libraries(QRNPlg PRIVATE qrn_plugin)
target_link_options(QRNPlg PRIVATE -Wl,--exclude-libs,ALL -Wl,--no-undefined)
set_target_properties(QRNPlg PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${QRN_OUT_DIR}
)

# Its catalogue and help pages lie beside it in the build folder too.
add_dependencies(QRNPlg qrn_data)

install(TARGETS QRNPlg LIBRARY DESTINATION ${QRN_PLUGIN_INSTALL_DIR})
# platform/qrnplg.h is not installed: the only host is qrnhost, built from this tree, and a
# host finds the four exports at run time without linking the library.
