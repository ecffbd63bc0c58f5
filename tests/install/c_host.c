/* A C host built from the installed package with pkg-config: exports SOURCE with CONFIG and
   the setup text SETUP, prints the workbook's path and the run's log lines with "log: ". */
#include <kvoexportexcel/kvo_export_excel.h>
#include <stdio.h>

static void print_line(const char* line, void* context) {
  fprintf((FILE*)context, "log: %s\n", line);
}

int main(int argc, char** argv) {
  char path[4096];
  if (argc != 5) return 2;
  if (kvo_ParseMainEx(argv[1], argv[2], argv[3], argv[4], print_line, stdout, path,
                      sizeof path) != -1) {
    return 1;
  }
  printf("%s\n", path);
  return 0;
}
