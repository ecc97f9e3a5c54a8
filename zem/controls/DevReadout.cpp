namespace zem
{
DevReadout::DevReadout()
{
    setInterceptsMouseClicks (false, false);
    setAccessible (false);
    setVisible (false);
}
}
