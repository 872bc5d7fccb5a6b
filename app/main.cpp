// ts4720fp: the Korvan 4720 Soft Front Panel.
#include "programEntry.h"

int main(int argc, char **argv)
{
    return ts4720fpMain(argc, argv);
}
