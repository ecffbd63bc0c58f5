/* A C host built with pkg-config: exports, then prints the log lines and the workbook's path. */
#include <kvoexportexcel/kvo_export_excel.h>
#include <stdio.h>

static void KVO_CALL print_line(const char* line, void* context) {
  fprintf((FILE*)context, "log: %s\n", line);
}

int main(int argc, char** argv) {
  char path[4096];
  if (argc != 5) return 2;
  int16_t done =
      kvo_ParseMainEx(argv[1], argv[2], argv[3], argv[4], print_line, stdout, path, sizeof path);
  printf("%s\n", path);
  return done == -1 ? 0 : 1;
}
