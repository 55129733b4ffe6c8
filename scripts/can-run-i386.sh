#!/usr/bin/env bash
# can-run-i386.sh - exit 0 when this machine's kernel executes 32-bit x86 programs; otherwise prints
# the reason on one line and exits 1.
#
# It runs one: a static i386 program of three instructions that only exits, assembled and linked
# with binutils (as --32, ld -m elf_i386), so nothing 32-bit needs to be installed. The architecture
# name (uname -m) cannot tell: x86-64 kernels are built with and without 32-bit support, and the
# machines this project runs on differ in it.
#
#   SKIPFLOOR_ASSUME_NO_I386=1  answers "no" without probing. Only for checking, on a machine that
#                               runs 32-bit programs, the path the scripts take on one that does not.
set -uo pipefail

if [ "${SKIPFLOOR_ASSUME_NO_I386:-0}" = 1 ]; then
  echo "SKIPFLOOR_ASSUME_NO_I386=1 says this kernel runs no 32-bit programs"
  exit 1
fi
if ! command -v as >/dev/null || ! command -v ld >/dev/null; then
  echo "binutils (as, ld) are missing, so the probe cannot be built"
  exit 1
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/skipfloor-i386.XXXXXX")
trap 'rm -rf "$dir"' EXIT
# _exit(0) through the i386 system call gate: eax = 1 (exit), ebx = 0 (status)
printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/p.s"
if ! as --32 -o "$dir/p.o" "$dir/p.s" 2>"$dir/err" || ! ld -m elf_i386 -o "$dir/p" "$dir/p.o" 2>>"$dir/err"; then
  echo "the 32-bit probe could not be built: $(head -n 1 "$dir/err")"
  exit 1
fi
if ! "$dir/p" 2>"$dir/err"; then
  reason=$(sed 's/^.*: //' "$dir/err" | head -n 1)
  echo "this kernel does not execute 32-bit programs (${reason:-the probe failed})"
  exit 1
fi
exit 0
