// ModulFree as Namtail.dll exports it: the page's ModulFree, then, when that let go of the library's
// hold on itself, the system's FreeLibrary in place of a return. A host may have called FreeLibrary
// with the page open (the library stays while a page lives) and close the page last: the hold is
// then the last reference, and a return through the library's code would land in unmapped memory.
// So the export ends by jumping to FreeLibrary with the host's return address in place, as
// FreeLibraryAndExitThread ends a thread: the system unmaps the library and returns straight to the
// host, with FreeLibrary's TRUE as ModulFree's 1. Written in assembly because only the export's own
// frame can be handed over this way, on x86 and x64 alike. The hold is taken with one locked
// exchange (xchg with memory), as another thread's ModulFree or the next page may take it too.
//
// x86: ModulFree takes no arguments and pops none; FreeLibrary (stdcall) pops one. The host's return
// address moves down one slot and the handle takes its place, so FreeLibrary's `ret 4` leaves the
// stack as the host's call left it.
// x64: the host's call left the return address on top and its shadow space above it; with our frame
// gone the stack is as the host made it, and FreeLibrary takes the handle in rcx. The jump is the
// epilogue's last instruction, as the unwinder expects of a tail call.

#if defined(__i386__)
asm(R"(
    .text
    .globl _NamtailModulFree@0
    .def _NamtailModulFree@0; .scl 2; .type 32; .endef
_NamtailModulFree@0:
    call _ModulFree@0
    cmp $1, %eax
    jne 1f
    xor %eax, %eax
    xchg %eax, _NamtailLeavingLibrary
    test %eax, %eax
    jz 2f
    mov (%esp), %edx
    mov %eax, (%esp)
    push %edx
    jmp *__imp__FreeLibrary@4
2:  mov $1, %eax
1:  ret
)");
#elif defined(__x86_64__)
asm(R"(
    .text
    .globl NamtailModulFree
    .def NamtailModulFree; .scl 2; .type 32; .endef
    .seh_proc NamtailModulFree
NamtailModulFree:
    sub $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    call ModulFree
    cmp $1, %eax
    jne 1f
    xor %ecx, %ecx
    xchg %rcx, NamtailLeavingLibrary(%rip)
    test %rcx, %rcx
    jz 2f
    add $40, %rsp
    rex.W jmp *__imp_FreeLibrary(%rip)
2:  mov $1, %eax
1:  add $40, %rsp
    ret
    .seh_endproc
)");
#endif
