# A program of the web build is a page: an .html from the page shell, its .js
# loader and .wasm, in one folder with the form's font, its licence and the
# icon, so that the folder as it is works from any static web host.
set(QUENLOR_PAGE_DIR ${PROJECT_BINARY_DIR}/page)
set(quenlor_font /usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf)
file(MAKE_DIRECTORY ${QUENLOR_PAGE_DIR})
configure_file(${quenlor_font} ${QUENLOR_PAGE_DIR}/LiberationSerif-Regular.ttf COPYONLY)
configure_file(/usr/share/doc/fonts-liberation2/copyright
               ${QUENLOR_PAGE_DIR}/LiberationSerif-LICENSE.txt COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/icons/quenlor-32.png ${QUENLOR_PAGE_DIR}/icon.png
               COPYONLY)

# filesystem: ON for the test programs, whose test framework writes files.
function(quenlor_web_page target output_name filesystem)
    set(shell ${PROJECT_SOURCE_DIR}/runtime/web/page.html)
    set_target_properties(${target} PROPERTIES SUFFIX ".html" OUTPUT_NAME ${output_name}
                                               RUNTIME_OUTPUT_DIRECTORY ${QUENLOR_PAGE_DIR}
                                               LINK_DEPENDS ${shell})
    target_link_options(${target} PRIVATE --shell-file ${shell} -sENVIRONMENT=web
                                          -sMALLOC=emmalloc -sMINIFY_HTML=0)
    if(NOT filesystem)
        target_link_options(${target} PRIVATE -sFILESYSTEM=0)
    endif()
    # The program's page is index.html; any other is a test's or benchmark's.
    if(NOT output_name STREQUAL "index")
        quenlor_page_not_shipped(${output_name}.*)
    endif()
endfunction()

# Files of the page folder that are not the page itself: tests' pages, built
# beside it (glob patterns).
function(quenlor_page_not_shipped)
    set_property(GLOBAL APPEND PROPERTY quenlor_page_not_shipped ${ARGN})
endfunction()

# Installs the page folder as a whole, less what quenlor_page_not_shipped
# named, at the prefix itself: the prefix is the site. scripts/package zips
# what this installs. Called once every page is declared.
function(quenlor_install_page)
    get_property(not_shipped GLOBAL PROPERTY quenlor_page_not_shipped)
    set(excluded)
    foreach(pattern IN LISTS not_shipped)
        list(APPEND excluded PATTERN ${pattern} EXCLUDE)
    endforeach()
    install(DIRECTORY ${QUENLOR_PAGE_DIR}/ DESTINATION . ${excluded})
endfunction()
