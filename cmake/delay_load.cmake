# The shell's DLLs are loaded at their first call rather than at the start.
# A hot key or an Explorer verb starts a one-shot BANCHIRO.EXE that arranges
# the windows and ends, and never calls comctl32, comdlg32, ole32 or shell32:
# loading them (comctl32 registers a dozen window classes as it loads) was a
# good part of that start. The resident program loads each at its first use.
#
# `banchiro_delay_loaded` links import libraries made with dlltool's
# --output-delaylib. They hold exactly the functions listed here: a call to
# any other function of these DLLs fails to link, and is added here.
find_program(BANCHIRO_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)

set(_delay_dir ${CMAKE_BINARY_DIR}/delay_load)
set(_delay_libs)
function(_banchiro_delay_load name dll)
  set(def ${_delay_dir}/${name}.def)
  list(JOIN ARGN "\n" exports)
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  set(lib ${_delay_dir}/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${BANCHIRO_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${lib}
    DEPENDS ${def}
    COMMENT "Delay-load import library for ${dll}")
  set(_delay_libs ${_delay_libs} ${lib} PARENT_SCOPE)
endfunction()

_banchiro_delay_load(comctl32 COMCTL32.dll
  ImageList_Add ImageList_Create ImageList_Destroy ImageList_GetImageCount InitCommonControlsEx
  LoadIconMetric)
_banchiro_delay_load(comdlg32 comdlg32.dll ChooseColorW)
_banchiro_delay_load(ole32 ole32.dll CoCreateInstance CoInitializeEx CoUninitialize)
_banchiro_delay_load(shell32 SHELL32.dll
  SHAddToRecentDocs SHEmptyRecycleBinW ShellExecuteExW Shell_NotifyIconW)

add_custom_target(banchiro_delay_load_libs DEPENDS ${_delay_libs})
add_library(banchiro_delay_loaded INTERFACE)
add_dependencies(banchiro_delay_loaded banchiro_delay_load_libs)
# libdelayimp holds the loader the delay-load stubs call.
target_link_libraries(banchiro_delay_loaded INTERFACE ${_delay_libs} delayimp)
