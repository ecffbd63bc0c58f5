#!/usr/bin/env python3
"""Writes the WiX source of the Windows installer package of one architecture.

Usage: product_wxs.py ARCH VERSION FILES_DIR OWN_WXI SHARED_WXI OUTPUT
  ARCH        win64 or win32
  FILES_DIR   the files to install, as the zip holds them (the DLL at its top)
  OWN_WXI     this architecture's registry values (kvo_msi_registry ... own)
  SHARED_WXI  the values both architectures share (kvo_msi_registry ... shared)
  OUTPUT      the .wxs to write; it names the files relative to its own folder, as wixl needs

Every file is a component of its own under Program Files\\kVoExportExcel (the 64-bit folder for
win64); the DLL's component also holds this architecture's registry values. The shared values
are one component with the same GUID in both packages, so that Windows Installer counts both
products as its clients and removes it only with the last of them. It is of the package's own
architecture: Windows shares these keys (ProgIDs, TypeLib) between its 64-bit and 32-bit views,
but Wine keeps a 32-bit component's values apart, where the 64-bit programs do not see them. Component GUIDs are
derived from the architecture and the file's path, the product code from the architecture and
the version: the same in every build, so that a package of the installed version is the same
product (reinstalled, not installed twice) and a package of a newer version upgrades it.
"""
import os
import sys
import uuid
from xml.sax.saxutils import quoteattr

# Fixed for good: a newer package of an architecture replaces the older one by this code.
UPGRADE_CODES = {
    "win64": "F6C5A7DD-2B52-40B3-B439-FA593D8AF143",
    "win32": "4E977D33-B786-48CD-B399-3F00C32720D7",
}
SHARED_COMPONENT_GUID = "0932906F-107B-4D86-96C5-530BDFAC496F"
GUID_NAMESPACE = uuid.UUID("F2E739B7-AFF4-413F-97F9-D6532E959F3D")
DLL = "kvoexportexcel.dll"


def include_body(path):
    """The elements inside a WiX include's <Include> element."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    start = text.index("<Include>") + len("<Include>")
    return text[start:text.index("</Include>")].strip("\n")


def identifier(prefix, relative):
    """A WiX identifier (letters, digits, '_' and '.') for the file or folder."""
    clean = "".join(c if c.isalnum() or c in "_." else "_" for c in relative)
    return f"{prefix}_{clean}"[:72]


def directory_tree(arch, root, folder, own, indent, output_dir):
    lines, components = [], []
    for name in sorted(os.listdir(os.path.join(root, folder))):
        relative = os.path.join(folder, name) if folder else name
        full = os.path.join(root, relative)
        if os.path.isdir(full):
            lines.append(f'{indent}<Directory Id="{identifier("dir", relative)}" '
                         f'Name={quoteattr(name)}>')
            sub_lines, sub_components = directory_tree(arch, root, relative, own, indent + "  ",
                                                       output_dir)
            lines += sub_lines + [f"{indent}</Directory>"]
            components += sub_components
            continue
        component = identifier("c", relative)
        guid = str(uuid.uuid5(GUID_NAMESPACE, f"{arch}/{relative}")).upper()
        win64 = "yes" if arch == "win64" else "no"
        file_id = DLL if relative == DLL else identifier("f", relative)
        lines.append(f'{indent}<Component Id="{component}" Guid="{guid}" Win64="{win64}">')
        lines.append(f'{indent}  <File Id="{file_id}" Source={quoteattr(os.path.relpath(full, output_dir))} KeyPath="yes"/>')
        if relative == DLL:
            lines.append(own)
        lines.append(f"{indent}</Component>")
        components.append(component)
    return lines, components


def main():
    if len(sys.argv) != 7 or sys.argv[1] not in UPGRADE_CODES:
        sys.exit(__doc__)
    arch, version, root, own_wxi, shared_wxi, output = sys.argv[1:]
    output_dir = os.path.dirname(os.path.abspath(output))
    root = os.path.abspath(root)
    if not os.path.isfile(os.path.join(root, DLL)):
        sys.exit(f"product_wxs.py: {root} holds no {DLL}")
    program_files = "ProgramFiles64Folder" if arch == "win64" else "ProgramFilesFolder"
    bits = "64-bit" if arch == "win64" else "32-bit"
    win64 = "yes" if arch == "win64" else "no"
    tree, components = directory_tree(arch, root, "", include_body(own_wxi), " " * 10,
                                       output_dir)
    refs = "\n".join(f'      <ComponentRef Id="{c}"/>' for c in components)
    product_code = str(uuid.uuid5(GUID_NAMESPACE, f"{arch}/product/{version}")).upper()
    wxs = f"""<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="{product_code}" Name="kVoExportExcel {version} ({bits})" Language="1033" Version="{version}"
           Manufacturer="kVoExportExcel" UpgradeCode="{UPGRADE_CODES[arch]}">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine"
             Description="kVoExportExcel {version}, the {bits} automation server and command"/>
    <MajorUpgrade DowngradeErrorMessage="A newer kVoExportExcel ({bits}) is already installed."/>
    <Media Id="1" Cabinet="kvoexportexcel.cab" EmbedCab="yes"/>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="{program_files}">
        <Directory Id="INSTALLDIR" Name="kVoExportExcel">
{chr(10).join(tree)}
        </Directory>
      </Directory>
      <Component Id="c_shared_registry" Guid="{SHARED_COMPONENT_GUID}" Win64="{win64}">
{include_body(shared_wxi)}
      </Component>
    </Directory>
    <Feature Id="Complete" Level="1">
{refs}
      <ComponentRef Id="c_shared_registry"/>
    </Feature>
  </Product>
</Wix>
"""
    with open(output, "w", encoding="utf-8") as f:
        f.write(wxs)


if __name__ == "__main__":
    main()
