# The editor window QRN and the models that show the core's list and picker in its widgets.
set(_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(qrn_editor STATIC
    ${_dir}/qrn.h
    ${_dir}/qrn.cpp
    ${_dir}/qrn_layout.cpp
    ${_dir}/qrn_file_commands.cpp
    ${_dir}/qrn_preview.cpp
    ${_dir}/placement_table_model.h
    ${_dir}/placement_table_model.cpp
    ${_dir}/picker_model.h
    ${_dir}/picker_model.cpp
)
set_target_properties(qrn_editor PROPERTIES AUTOMOC ON)
target_link_libraries(qrn_editor PUBLIC Qt6::Widgets qrn_planfile qrn_core qrn_platform_api)
