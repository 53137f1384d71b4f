# The document behind an editor window (list, file, history, autosave): Qt without widgets,
# so that it is tested without a display.
set(_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(qrn_document STATIC
    ${_dir}/plan_document.h
    ${_dir}/plan_document.cpp
    ${_dir}/file_stamp.h
    ${_dir}/file_stamp.cpp
    ${_dir}/recovery_store.h
    ${_dir}/recovery_store.cpp
    ${_dir}/autosave.h
    ${_dir}/autosave.cpp
)
set_target_properties(qrn_document PROPERTIES AUTOMOC ON)
target_link_libraries(qrn_document PUBLIC Qt6::Gui qrn_planfile qrn_core qrn_platform_api)

# The editor window QRN and the models that show the core's list and picker in its widgets.
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
    ${_dir}/map_view.h
    ${_dir}/map_view.cpp
)
set_target_properties(qrn_editor PROPERTIES AUTOMOC ON)
target_link_libraries(qrn_editor PUBLIC Qt6::Widgets qrn_document qrn_planfile qrn_core
                                        qrn_platform_api qrn_platform_qt)
