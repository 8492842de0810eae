# Include roots that hold one layer each.
#
# The layers sit side by side (src/platform, src/automation, src/core,
# src/app, drivers/contract), and their headers are included as
# "<layer>/<file>.h". Exporting the folder above them would let every target
# that links one layer include any other; so each layer gets a folder of its
# own in the build tree, include/<layer>/, that holds nothing but a link named
# <layer> to the layer's sources. A target then sees exactly the layers it
# links, and the include lines keep naming their layer.

# lk40_layer_root(<target> <INTERFACE|PUBLIC|PRIVATE> <layer> <source folder>)
function(lk40_layer_root target scope layer folder)
  set(root ${CMAKE_BINARY_DIR}/include/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${layer} RESULT failed SYMBOLIC)
  if(failed)
    # A Windows host without the right to make symbolic links: the folder
    # above the layer then, which shows the other layers too; the layers
    # test still refuses any include that runs upward.
    message(STATUS "no link ${root}/${layer} (${failed}): ${layer} exports the folder above it")
    get_filename_component(root ${folder} DIRECTORY)
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()
