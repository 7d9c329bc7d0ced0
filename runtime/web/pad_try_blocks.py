#!/usr/bin/python3
"""Puts a nop after every indirect call that ends a try block of a
WebAssembly module, rewriting the file in place.

WebKit's WebAssembly interpreter in WebKitGTK 2.50 (2.54 is sound) lets an
exception thrown by an indirect call that is the last instruction of a try
block pass that block's handlers. The runtime calls a form's procedures
through pointers, inside the try block that reports their run-time errors,
so in WebKit a report would be lost whenever that code had not yet been
compiled. The optimiser decides which instruction ends a block, so the nop
goes in here, after it has run. Running the script twice changes nothing
more.

usage: pad_try_blocks.py <module.wasm>"""

import sys

CALL_INDIRECT, NOP = 0x11, 0x01
ENDS_TRY = {0x07, 0x18, 0x19}  # catch, delegate, catch_all


def leb(data, at):
    """The unsigned LEB128 number at that place, and the place after it."""
    value = shift = 0
    while True:
        byte = data[at]
        at += 1
        value |= (byte & 0x7F) << shift
        shift += 7
        if byte < 0x80:
            return value, at


def skip_leb(data, at, count=1):
    for _ in range(count):
        _, at = leb(data, at)
    return at


def write_leb(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        out.append(byte | (0x80 if value else 0))
        if not value:
            return bytes(out)


VALUE_TYPES = {0x40, 0x7F, 0x7E, 0x7D, 0x7C, 0x7B, 0x70, 0x6F}  # 0x40: no value


def skip_block_type(data, at):
    return at + 1 if data[at] in VALUE_TYPES else skip_leb(data, at)  # else a type's index


def instruction_end(data, at):
    """The place after the instruction that starts at that place."""
    op = data[at]
    at += 1
    if op in (0x02, 0x03, 0x04, 0x06):  # block, loop, if, try
        return skip_block_type(data, at)
    if op in (0x07, 0x08, 0x09, 0x0C, 0x0D, 0x10, 0x12, 0x18, 0xD2) or 0x20 <= op <= 0x26:
        return skip_leb(data, at)
    if op in (0x11, 0x13):  # call_indirect: type and table
        return skip_leb(data, at, 2)
    if op == 0x0E:  # br_table
        count, at = leb(data, at)
        return skip_leb(data, at, count + 1)
    if 0x28 <= op <= 0x3E:  # loads and stores: alignment and offset
        return skip_leb(data, at, 2)
    if op in (0x3F, 0x40, 0xD0):
        return at + 1
    if op in (0x41, 0x42):
        return skip_leb(data, at)
    if op == 0x43:
        return at + 4
    if op == 0x44:
        return at + 8
    if op == 0x1C:  # typed select
        count, at = leb(data, at)
        return at + count
    if op in (0x00, 0x01, 0x05, 0x0A, 0x0B, 0x0F, 0x19, 0x1A, 0x1B, 0xD1) or 0x45 <= op <= 0xC4:
        return at
    if op == 0x1F:  # try_table: its catches are a kind, a tag for two kinds, a label
        at = skip_block_type(data, at)
        count, at = leb(data, at)
        for _ in range(count):
            kind = data[at]
            at = skip_leb(data, at + 1, 2 if kind < 2 else 1)
        return at
    if op == 0xFC:  # saturating truncations; bulk memory and tables
        sub, at = leb(data, at)
        if sub <= 7:
            return at
        if sub == 8:  # memory.init: a data segment, a memory
            return skip_leb(data, at) + 1
        if sub in (10, 11):  # memory.copy, memory.fill: their memories
            return at + sub - 8
        if sub <= 17:
            return skip_leb(data, at, 2 if sub in (12, 14) else 1)
    raise ValueError(f"opcode 0x{op:02x} at byte {at - 1} is not one this script knows")


def pad_body(body):
    """The function body with the nops added, and how many."""
    count, at = leb(body, 0)
    for _ in range(count):
        at = skip_leb(body, at) + 1  # a run of locals: how many, and their type
    out, added = bytearray(body[:at]), 0
    while at < len(body):
        end = instruction_end(body, at)
        out += body[at:end]
        if body[at] == CALL_INDIRECT and end < len(body) and body[end] in ENDS_TRY:
            out.append(NOP)
            added += 1
        at = end
    return bytes(out), added


def pad_module(module):
    if module[:4] != b"\0asm":
        raise ValueError("not a WebAssembly module")
    out, at, added = bytearray(module[:8]), 8, 0
    while at < len(module):
        section = module[at]
        size, start = leb(module, at + 1)
        content = module[start:start + size]
        if section == 10:  # code
            count, place = leb(content, 0)
            bodies = bytearray(write_leb(count))
            for _ in range(count):
                length, place = leb(content, place)
                body, more = pad_body(content[place:place + length])
                bodies += write_leb(len(body)) + body
                place += length
                added += more
            content = bytes(bodies)
        out += bytes([section]) + write_leb(len(content)) + content
        at = start + size
    return bytes(out), added


def main():
    path = sys.argv[1]
    with open(path, "rb") as file:
        padded, _ = pad_module(file.read())
    with open(path, "wb") as file:
        file.write(padded)


if __name__ == "__main__":
    main()
