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
endfunction()
