# Layers: the folders of a source tree, each one library that may include
# only the folders below it. Each compiles against a view (build/layers/
# <library>): a folder of links to just the folders it may use, so that an
# include that runs up the layers is a build error, not a convention.
#
# A tree's CMakeLists.txt sets ZARN_LAYER_PREFIX (zarn_ for src, zarnhost_
# for the container) and names its folders bottom to top.

# zarn_layer(NAME [USES layer...] [SOURCES file...] [LIBS lib...])
# The folder NAME as the library <prefix>NAME. USES lists every layer NAME
# may include, not only the direct ones.
function(zarn_layer name)
    cmake_parse_arguments(L "" "" "USES;SOURCES;LIBS" ${ARGN})
    set(lib ${ZARN_LAYER_PREFIX}${name})
    zarn_source_view(${lib} ${name} ${L_USES})
    list(TRANSFORM L_USES PREPEND ${ZARN_LAYER_PREFIX})
    if(L_SOURCES)
        add_library(${lib} STATIC ${L_SOURCES})
        target_compile_options(${lib} PRIVATE ${ZARN_WARNINGS})
        target_include_directories(${lib} PRIVATE ${ZARN_VIEW_${lib}})
        target_link_libraries(${lib} PUBLIC ${L_USES} ${L_LIBS})
    else()
        add_library(${lib} INTERFACE)
        target_link_libraries(${lib} INTERFACE ${L_USES} ${L_LIBS})
    endif()
endfunction()

# zarn_source_view(VIEW folder...): a folder of links to those folders of
# the calling directory, in ZARN_VIEW_<VIEW> (set in the caller's and the
# parent's scope, and cached, so that tests and benchmarks can use it).
function(zarn_source_view view)
    set(dir ${CMAKE_BINARY_DIR}/layers/${view})
    file(REMOVE_RECURSE ${dir})
    file(MAKE_DIRECTORY ${dir})
    foreach(folder ${ARGN})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
    endforeach()
    set(ZARN_VIEW_${view} ${dir} PARENT_SCOPE)
    set(ZARN_VIEW_${view} ${dir} CACHE INTERNAL "")
endfunction()
