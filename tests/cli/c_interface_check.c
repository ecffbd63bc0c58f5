/* Compiled as C: the C header must stand on its own, the call must report false for an export
   that cannot run, whatever the arguments, and the version text must name the deflate back end. */
#include <kvoexportexcel/kvo_export_excel.h>
#include <stdio.h>
#include <string.h>

int main(void) {
  int16_t empty = kvo_ParseMain("", "", "", "");
  int16_t nulls = kvo_ParseMain(NULL, NULL, NULL, NULL);
  int16_t missing = kvo_ParseMain("/no/such/source.xml", "/no/such/config.xml", "<s/>", ".xlsx");
  if (empty != 0 || nulls != 0 || missing != 0) {
    fprintf(stderr, "unexpected results %d %d %d\n", empty, nulls, missing);
    return 1;
  }
  const char* version = kvo_Version();
  if (version == NULL || version[0] < '0' || version[0] > '9' ||
      strstr(version, " (deflate: ") == NULL || kvo_Version() != version) {
    fprintf(stderr, "unexpected version text %s\n", version != NULL ? version : "(null)");
    return 1;
  }
  return 0;
}
