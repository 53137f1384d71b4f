# The editor window's tests: Qt Test programs on the offscreen platform.
foreach(name test_qrn_models test_qrn_window test_qrn_files)
    add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/test_qrn_platform.h
                           ${CMAKE_CURRENT_LIST_DIR}/test_qrn_fixture.h)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE qrn_editor qrn_platform_qt Qt6::Test)
    target_compile_definitions(${name} PRIVATE QRN_TEST_DATA_DIR="${QRN_TEST_DATA_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()

# The document without widgets; its crash test runs crash_editor, a real editor process killed
# after its autosave, then a second one.
add_executable(crash_editor ${CMAKE_CURRENT_LIST_DIR}/crash_editor.cpp)
target_link_libraries(crash_editor PRIVATE qrn_editor qrn_platform_qt Qt6::Test)
target_compile_definitions(crash_editor PRIVATE QRN_TEST_DATA_DIR="${QRN_TEST_DATA_DIR}")

add_executable(test_plan_document ${CMAKE_CURRENT_LIST_DIR}/test_plan_document.cpp)
set_target_properties(test_plan_document PROPERTIES AUTOMOC ON)
target_link_libraries(test_plan_document PRIVATE qrn_editor qrn_test_support qrn_platform_qt
                                                 Qt6::Widgets Qt6::Test)
target_compile_definitions(test_plan_document PRIVATE
    QRN_CRASH_EDITOR="$<TARGET_FILE:crash_editor>" QRN_TEST_DATA_DIR="${QRN_TEST_DATA_DIR}")
add_dependencies(test_plan_document crash_editor)
add_test(NAME test_plan_document COMMAND test_plan_document)
set_tests_properties(test_plan_document PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
