/* Compiled as C: the C header must stand on its own, and the call must report false for an
   export that cannot run, whatever the arguments. */
#include <kvoexportexcel/kvo_export_excel.h>
#include <stdio.h>

int main(void) {
  int16_t empty = kvo_ParseMain("", "", "", "");
  int16_t nulls = kvo_ParseMain(NULL, NULL, NULL, NULL);
  int16_t missing = kvo_ParseMain("/no/such/source.xml", "/no/such/config.xml", "<s/>", ".xlsx");
  if (empty != 0 || nulls != 0 || missing != 0) {
    fprintf(stderr, "unexpected results %d %d %d\n", empty, nulls, missing);
    return 1;
  }
  return 0;
}
