# The editor window's tests: Qt Test programs on the offscreen platform.
foreach(name test_qrn_models test_qrn_window test_qrn_files)
    add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/test_qrn_platform.h
                           ${CMAKE_CURRENT_LIST_DIR}/test_qrn_fixture.h)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE qrn_editor qrn_platform_qt Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()
