#include "core/startup.h"

int main(int argc, char **argv)
{
    return StartupConnect(argc, argv);
}
