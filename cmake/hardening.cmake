# Hardening of every program the build makes. On Linux, what Debian gives its
# own packages with every hardening feature on; on Windows, what mingw-w64 has
# of the same.
#
# Both: a stack protector in every function with an array or an address taken,
# format strings that cannot come from data, and checked string and memory
# calls wherever the compiler can tell the size of the buffer. There is nothing
# to check with under -O0, and the sanitizers check those calls themselves (the
# checked versions would hide some from their interceptors), so Debug and the
# sanitizer builds go without.
add_compile_options(-Wformat -Werror=format-security)
# WebAssembly keeps return addresses out of the memory a program can write.
if(NOT EMSCRIPTEN)
    add_compile_options(-fstack-protector-strong)
    add_link_options(-fstack-protector-strong) # links its support library where it is separate
endif()
set(checked_calls "$<AND:$<NOT:$<CONFIG:Debug>>,$<NOT:$<BOOL:${QUENLOR_SANITIZERS}>>>")

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    # A position-independent program; relocations read-only and bound at start;
    # no executable stack; a stack that grows a page at a time, so that no
    # frame can jump over the guard page into other memory; marked branch
    # targets and return addresses on x86-64 (the linked program keeps that
    # mark only if the C library's start files have it too). Level 3 sizes
    # buffers at run time as well (a malloc of n bytes is n bytes long). The
    # C++ library checks its own indexing: its string and vector copies never
    # go through the checked C calls.
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    include(CheckPIESupported)
    check_pie_supported()
    add_compile_options(-fstack-clash-protection)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
        add_compile_options(-fcf-protection)
    endif()
    add_compile_options("$<${checked_calls}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
    add_compile_definitions(_GLIBCXX_ASSERTIONS)
    add_link_options(-Wl,-z,relro,-z,now,-z,noexecstack)
elseif(WIN32)
    # Address space randomisation (the base relocations stay in the file for
    # it), data never executable, and on 64-bit the whole address space for
    # the randomisation. mingw-w64 checks calls at level 2 at most: its headers
    # know only sizes fixed at compile time. Every frame of more than a page
    # is probed a page at a time (___chkstk_ms), as Windows needs, so there is
    # no stack clash option to add (GCC 12 for 64-bit Windows fails on it).
    # GCC makes no Control Flow Guard tables, and GNU ld no SafeSEH table.
    add_compile_options("$<${checked_calls}:-D_FORTIFY_SOURCE=2>")
    add_link_options(-Wl,--dynamicbase -Wl,--enable-reloc-section -Wl,--nxcompat)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        add_link_options(-Wl,--high-entropy-va)
    endif()
endif()
