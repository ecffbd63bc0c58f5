#!/usr/bin/env bash
# Fails when the shared library exports anything beyond the public interface: the C entry
# points and the classes and functions of include/kvoexportexcel.
set -euo pipefail
lib="$1"
public='^(kvo_ParseMain|kvo_ParseMainEx|kvo_Version|kvo::(iclsExportExcel|clsXMLIniData|OrderTable|RunError|IRefDesGrouper|xml::Node|xml::NodeList|xml::Document)::|kvo::(SetRefDesGrouperFactory|CreateRefDesGrouper|CheckConfigurationFile|SetupStringProblems|xml::InitXmlLibrary|xml::XPathLiteral)\(|(typeinfo|typeinfo name|vtable) for kvo::(RunError|IRefDesGrouper)$)'
# Version nodes (the library's own SONAME tag) are no symbols of ours.
others=$(nm -D --defined-only --demangle "$lib" | awk '{ $1 = ""; $2 = ""; sub(/^  /, ""); print }' |
  grep -v -E '^(KVO|kvoexportexcel)' | grep -v -E "$public" || true)
if [[ -n "$others" ]]; then
  echo "exported beyond the public interface:"
  echo "$others"
  exit 1
fi
count=$(nm -D --defined-only "$lib" | wc -l)
echo "exported symbols: $count, all public"
