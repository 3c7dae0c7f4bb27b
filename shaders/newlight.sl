/*
 * newlight: the light that silmod writes for a positional light.
 * A point light at "from" whose light does not fall off with distance,
 * like a positional light of OpenGL with its default attenuation, so that
 * the rendered picture is lit as the modeller shows it.
 */
light newlight(
    float intensity = 1;
    color lightcolor = 1;
    point from = point "shader" (0, 0, 0);)
{
    illuminate (from) {
        Cl = intensity * lightcolor;
    }
}
