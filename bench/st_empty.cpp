// SPDX-License-Identifier: MIT
// st_empty: a shared library with nothing in it, built with the library's
// own flags: what loading one more library costs a process by itself.
