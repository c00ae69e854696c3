// Start-up: the program takes no arguments, reads no environment and no
// configuration; it builds its one object and lets it run.
#include "app/form1.h"
#include "app/platform.h"
#include "base/file_system.h"

int main() {
  auto piattaforma = scenario::make_platform();
  scenario::disk_file_system disco;
  scenario::Form1 form(*piattaforma, disco);
  form.Form_Load();
}
