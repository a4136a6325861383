#include "pages/PageCommand.h"

void OnPageCommand(std::string)
{
}
