/* Loaded with LD_PRELOAD into the 32-bit Wine loader when it runs under
 * qemu's user-mode emulator. Wine expects the areas it keeps for Windows
 * memory to be reserved before anything else is mapped, and the shared user
 * data at 0x7ffe0000 to lie inside them; its own preloader does this, but it
 * is not shipped here and could not run under the emulator. This library
 * reserves the free parts of the same areas at start and hands the list to
 * Wine through wine_main_preload_info, as the preloader would.
 *
 * Built with gcc -m32 -nostdlib: no C library, only system calls, so no
 * 32-bit C headers are needed. In any other program it does nothing. */

typedef unsigned long size_t;

struct wine_preload_info {
    void* addr;
    size_t size;
};

/* Defined by the Wine loader; absent elsewhere. */
extern const struct wine_preload_info* wine_main_preload_info __attribute__((weak));

enum {
    sys_old_mmap = 90,
    sys_munmap = 91,
    prot_none = 0,
    map_private = 0x02,
    map_anonymous = 0x20,
    map_noreserve = 0x4000,
    granularity = 0x10000,
    max_areas = 128,
};

static long system_call(long number, long a, long b) {
    long result;
    __asm__ volatile("int $0x80" : "=a"(result) : "0"(number), "b"(a), "c"(b) : "memory");
    return result;
}

/* Maps nothing but address space, at addr if it is free: no fixed mapping,
 * so whatever is already there (the C library, the stack) stays. */
static char* reserve(char* addr, size_t size) {
    const long arguments[6] = {
        (long)addr, (long)size, prot_none, map_private | map_anonymous | map_noreserve, -1, 0};
    const long result = system_call(sys_old_mmap, (long)arguments, 0);
    return (unsigned long)result >= (unsigned long)-4095 ? 0 : (char*)result;
}

static struct wine_preload_info areas[max_areas + 1];
static int area_count;

static void add_area(char* addr, size_t size) {
    if (area_count > 0) {
        struct wine_preload_info* last = &areas[area_count - 1];
        if ((char*)last->addr + last->size == addr) {
            last->size += size;
            return;
        }
    }
    if (area_count < max_areas) {
        areas[area_count].addr = addr;
        areas[area_count].size = size;
        ++area_count;
    } else {
        system_call(sys_munmap, (long)addr, (long)size);
    }
}

/* Reserves what is free of [addr, addr + size), halving around what is not. */
static void reserve_free_parts(char* addr, size_t size) {
    char* got = reserve(addr, size);
    if (got == addr) {
        add_area(addr, size);
        return;
    }
    if (got) system_call(sys_munmap, (long)got, (long)size);
    if (size <= granularity) return;
    const size_t half = (size / 2) & ~(size_t)(granularity - 1);
    reserve_free_parts(addr, half);
    reserve_free_parts(addr + half, size - half);
}

__attribute__((constructor)) static void reserve_wine_areas(void) {
    if (!&wine_main_preload_info) return;
    /* Low memory, where Windows programs and DLLs go, and the top-down
     * allocations with the shared user data and heaps. */
    reserve_free_parts((char*)0x00010000, 0x68000000 - 0x00010000);
    reserve_free_parts((char*)0x7f000000, 0x03000000);
    wine_main_preload_info = areas;
}
