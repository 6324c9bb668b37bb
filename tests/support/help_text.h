// The help text the "h" key prints, byte for byte, for the tests to compare.
#pragma once

constexpr const char* HELP_TEXT =
    "\n **************************** WATERFALL **************************************\n"
    "\n\t MENU OPTIONS: \n\t============== \n\t1. Enable/Disable Red Light.\n"
    "\t2. Enable/Disable Green Light.\n\t3. Enable/Disable Blue Light. \n"
    "\t4. Exit :Exits the application \n"
    "\n\t Keyboard Options :\n\t===================  \n\t f / F : Enable or disable Fog "
    "\n\t r / R : Reset the position of the camera \n \t a / A : Animate the Water Fall"
    "\n\t q / Q : Exiting the appplication.\n\t"
    "\n **************************** WATERFALL **************************************\n";
