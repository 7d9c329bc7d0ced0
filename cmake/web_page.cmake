# A program of the web build is a page: an .html from the page shell, its .js
# loader and .wasm, in one folder with the form's font, its licence, the
# icons, the web app manifest and the service worker, so that the folder as
# it is works from any static web host, and offline once visited.
set(QUENLOR_PAGE_DIR ${PROJECT_BINARY_DIR}/page)
# Every file of the program's page, in the page folder; scripts/package zips
# the same list.
set(QUENLOR_PAGE_FILES index.html index.js index.wasm QuenlorSerif.woff2 QuenlorSerif-LICENSE.txt
    icon.png icon-128.png icon-256.png icon.svg quenlor.webmanifest service-worker.js)
# What the service worker keeps for use without the network.
set(quenlor_offline_files index.html index.js index.wasm QuenlorSerif.woff2 icon.png icon-128.png
    icon-256.png icon.svg quenlor.webmanifest)
file(MAKE_DIRECTORY ${QUENLOR_PAGE_DIR})
foreach(icon icon.png:quenlor-32.png icon-128.png:quenlor-128.png icon-256.png:quenlor-256.png
             icon.svg:quenlor.svg)
    string(REPLACE ":" ";" icon ${icon})
    list(GET icon 0 to)
    list(GET icon 1 from)
    configure_file(${PROJECT_SOURCE_DIR}/app/icons/${from} ${QUENLOR_PAGE_DIR}/${to} COPYONLY)
endforeach()

# Debian's Python, which has fontTools with brotli (python3-fonttools, python3-brotli).
set(Python3_EXECUTABLE /usr/bin/python3)
set(quenlor_page_files ${PROJECT_SOURCE_DIR}/runtime/web/page_files.py)

# filesystem: ON for the test programs, whose test framework writes files.
function(quenlor_web_page target output_name filesystem)
    if(target STREQUAL "quenlor")
        set(shell ${PROJECT_BINARY_DIR}/index_shell.html)
    else()
        set(shell ${PROJECT_BINARY_DIR}/plain_shell.html)
    endif()
    add_dependencies(${target} quenlor_page_parts)
    set_target_properties(${target} PROPERTIES SUFFIX ".html" OUTPUT_NAME ${output_name}
                                               RUNTIME_OUTPUT_DIRECTORY ${QUENLOR_PAGE_DIR}
                                               LINK_DEPENDS ${shell})
    set(start ${PROJECT_SOURCE_DIR}/runtime/web/page_start.js)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${start})
    target_link_options(${target} PRIVATE --shell-file ${shell} --pre-js ${start}
                                          -sENVIRONMENT=web -sMALLOC=emmalloc -sMINIFY_HTML=0)
    if(filesystem)
        # Emscripten's file system calls malloc and free from JavaScript; since
        # Emscripten 3.1.69 (Debian 13) they are not exported unless asked for.
        target_link_options(${target} PRIVATE -sEXPORTED_FUNCTIONS=_main,_malloc,_free)
    else()
        target_link_options(${target} PRIVATE -sFILESYSTEM=0)
    endif()
    # The nops that WebKit's interpreter needs (pad_try_blocks.py), before the
    # service worker takes the files' hashes.
    set(pad ${PROJECT_SOURCE_DIR}/runtime/web/pad_try_blocks.py)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${pad})
    add_custom_command(TARGET ${target} POST_BUILD
                       COMMAND ${Python3_EXECUTABLE} ${pad} ${QUENLOR_PAGE_DIR}/${output_name}.wasm
                       VERBATIM)
    if(target STREQUAL "quenlor")
        list(TRANSFORM quenlor_offline_files PREPEND ${QUENLOR_PAGE_DIR}/ OUTPUT_VARIABLE files)
        add_custom_command(TARGET ${target} POST_BUILD
                           COMMAND ${Python3_EXECUTABLE} ${quenlor_page_files} service-worker
                                   ${PROJECT_SOURCE_DIR}/runtime/web/service-worker.js
                                   ${QUENLOR_PAGE_DIR} ${quenlor_offline_files}
                           VERBATIM)
    endif()
endfunction()

# The parts of the page taken from the program, built from the same code and
# run under Node: the window after Form_Load, and every text it can show.
function(quenlor_web_page_parts generator)
    set(parts ${PROJECT_BINARY_DIR}/page_parts.json)
    # Liberation Serif where fontconfig finds it (Debian 12 keeps it in
    # liberation2/, Debian 13 in liberation/), and the licence of the package
    # that holds that file.
    execute_process(COMMAND fc-match --format=%{file} "Liberation Serif:style=Regular"
                    OUTPUT_VARIABLE font COMMAND_ERROR_IS_FATAL ANY)
    get_filename_component(font_name ${font} NAME)
    if(NOT font_name STREQUAL "LiberationSerif-Regular.ttf")
        message(FATAL_ERROR "Liberation Serif is not installed (fontconfig offers ${font}): "
                            "scripts/install-deps web installs it")
    endif()
    get_filename_component(font ${font} REALPATH)
    execute_process(COMMAND dpkg-query --search ${font} OUTPUT_VARIABLE owner
                    COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE ":.*" "" owner "${owner}")
    set(licence /usr/share/doc/${owner}/copyright)
    set(template ${PROJECT_SOURCE_DIR}/runtime/web/page.html)
    set(entry ${PROJECT_SOURCE_DIR}/app/desktop/example.quenlor.quenlor.desktop)
    add_custom_command(OUTPUT ${parts}
                       COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${generator}>
                               > ${parts}
                       DEPENDS ${generator})
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/index_shell.html
                              ${PROJECT_BINARY_DIR}/plain_shell.html
                              ${QUENLOR_PAGE_DIR}/quenlor.webmanifest
                       COMMAND ${Python3_EXECUTABLE} ${quenlor_page_files} shells ${parts}
                               ${template} ${entry} ${PROJECT_BINARY_DIR}
                       DEPENDS ${parts} ${template} ${entry} ${quenlor_page_files})
    add_custom_command(OUTPUT ${QUENLOR_PAGE_DIR}/QuenlorSerif.woff2
                              ${QUENLOR_PAGE_DIR}/QuenlorSerif-LICENSE.txt
                       COMMAND ${Python3_EXECUTABLE} ${quenlor_page_files} font ${parts} ${font}
                               ${licence} ${QUENLOR_PAGE_DIR}
                       DEPENDS ${parts} ${font} ${licence} ${quenlor_page_files})
    add_custom_target(quenlor_page_parts
                      DEPENDS ${PROJECT_BINARY_DIR}/index_shell.html
                              ${QUENLOR_PAGE_DIR}/QuenlorSerif.woff2)
endfunction()
