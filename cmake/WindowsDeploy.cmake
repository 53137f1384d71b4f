# Windows: what the programs and the plug-in need at run time lands beside them in the output
# folder, as it is installed: Qt's DLLs, its platform, style and image format plug-ins, the
# mingw-w64 runtime DLLs, Qt's French texts (from Debian's qt6-translations-l10n, the same files
# on every system) and a qt.conf that tells Qt to find them there.
get_filename_component(QRN_QT_PREFIX "${Qt6_DIR}/../../.." ABSOLUTE)
set(QRN_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH "Qt's .qm translations")

set(_qrn_qt_dlls Core Gui Widgets)
if(TARGET Qt6::Svg)
    list(APPEND _qrn_qt_dlls Svg)
endif()
set(_qrn_deploy_files)
foreach(_module IN LISTS _qrn_qt_dlls)
    list(APPEND _qrn_deploy_files "${QRN_QT_PREFIX}/bin/Qt6${_module}.dll")
endforeach()
# The compiler's own runtime, and the threads library beside the mingw-w64 system libraries.
foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
                    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${_path}")
        find_file(_path_${_dll} ${_dll} PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH
                  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
        set(_path ${_path_${_dll}})
    endif()
    list(APPEND _qrn_deploy_files "${_path}")
endforeach()
set(QRN_WINDOWS_RUNTIME_DLLS ${_qrn_deploy_files})

set(_qrn_deployed)
macro(_qrn_deploy _source _folder)
    get_filename_component(_name "${_source}" NAME)
    set(_target "${QRN_OUT_DIR}/${_folder}${_name}")
    add_custom_command(OUTPUT "${_target}"
        COMMAND ${CMAKE_COMMAND} -E copy "${_source}" "${_target}"
        DEPENDS "${_source}" COMMENT "Deploying ${_folder}${_name}")
    list(APPEND _qrn_deployed "${_target}")
    install(FILES "${_source}" DESTINATION "${QRN_PLUGIN_INSTALL_DIR}/${_folder}")
endmacro()
foreach(_file IN LISTS _qrn_deploy_files)
    _qrn_deploy("${_file}" "")
endforeach()
foreach(_plugin platforms/qwindows platforms/qoffscreen styles/qwindowsvistastyle
                imageformats/qgif imageformats/qico imageformats/qjpeg imageformats/qsvg
                iconengines/qsvgicon)
    if(EXISTS "${QRN_QT_PREFIX}/plugins/${_plugin}.dll")
        get_filename_component(_folder "${_plugin}" DIRECTORY)
        _qrn_deploy("${QRN_QT_PREFIX}/plugins/${_plugin}.dll" "${_folder}/")
    endif()
endforeach()
foreach(_qm qt_fr.qm qtbase_fr.qm)
    _qrn_deploy("${QRN_QT_TRANSLATIONS}/${_qm}" "translations/")
endforeach()
file(WRITE "${CMAKE_BINARY_DIR}/qt.conf" "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
_qrn_deploy("${CMAKE_BINARY_DIR}/qt.conf" "")
add_custom_target(qrn_deploy ALL DEPENDS ${_qrn_deployed})
