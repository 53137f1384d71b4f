# The plug-in library: the control and its windows, the plan folder and the dialogs, the help,
# the host loading libQRNPlg.so through its exports (the installed layout is checked on the
# Debian package, by scripts/package_check). Each test gets its own
# settings and Wine prefix folders, emptied by the tests that use them.
function(qrn_library_test name)
    add_executable(${name} ${ARGN})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Qt6::Test qrn_common)
    target_compile_definitions(${name} PRIVATE QRN_OUT_DIR="${QRN_OUT_DIR}")
    set(_scratch ${CMAKE_CURRENT_BINARY_DIR}/scratch/${name})
    file(MAKE_DIRECTORY ${_scratch}/config ${_scratch}/wine)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${_scratch}/config;WINEPREFIX=${_scratch}/wine")
endfunction()

# The editor windows a press opens load the catalogue of the build's plug-in folder.
qrn_library_test(test_module test_module.cpp)
target_link_libraries(test_module PRIVATE qrn_plugin)
add_dependencies(test_module qrn_data)

# Never linked to the plug-in: it loads the built library file, as a host does.
qrn_library_test(test_host test_host.cpp)
target_link_libraries(test_host PRIVATE qrn_host_loader)
target_compile_definitions(test_host PRIVATE QRN_PLUGIN_FILE="$<TARGET_FILE:QRNPlg>")
add_dependencies(test_host QRNPlg qrn_data)

qrn_library_test(test_widgets_ui test_widgets_ui.cpp)
target_link_libraries(test_widgets_ui PRIVATE qrn_platform_widgets)
