"""Unpacks the ELF kernel from an XZ-compressed bzImage: vmlinuz vmlinux."""
import lzma
import sys

data = open(sys.argv[1], 'rb').read()
start = data.find(b'\xfd7zXZ\x00')
if start < 0:
    sys.exit('no XZ stream in ' + sys.argv[1])
elf = lzma.LZMADecompressor(format=lzma.FORMAT_XZ).decompress(data[start:])
if elf[:4] != b'\x7fELF':
    sys.exit('not an ELF kernel')
open(sys.argv[2], 'wb').write(elf)
