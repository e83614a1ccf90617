// The page has no files, and its module imports nothing of WASI: linked into
// the page's module alone (add_page), these stand in for the C library's
// calls on a file. Its printf (the display text) could reach one only to
// complain of a long double, which the program never formats; if it ever
// did, the module traps, as at any fault of the program.
#include <cstddef>
#include <wasi/api.h>

extern "C" {

__wasi_errno_t __wasi_fd_write(__wasi_fd_t, const __wasi_ciovec_t*, std::size_t, __wasi_size_t*)
{
    __builtin_trap();
}

__wasi_errno_t __wasi_fd_seek(__wasi_fd_t, __wasi_filedelta_t, __wasi_whence_t, __wasi_filesize_t*)
{
    __builtin_trap();
}

__wasi_errno_t __wasi_fd_close(__wasi_fd_t)
{
    __builtin_trap();
}

} // extern "C"
