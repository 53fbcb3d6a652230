#version 120

// Blinn-Phong lighting from the single light, with a filtered shadow test for
// the models that receive shadows (the arena, the runes and their sparks).
// The renderer runs this on the CPU for every pixel, so the work per
// fragment is kept small: the shadow filter takes its full patch only on a
// shadow's edge, and the shadow pass, which writes no colour, returns at once.

uniform sampler2D texture;
uniform sampler2D shadowMap;
uniform int useTexture;
uniform int hasShadow;
uniform int mode;
uniform vec3 lightPos;
uniform vec3 cameraPos;
uniform vec3 light_ambient;
uniform vec3 light_diffuse;
uniform vec3 light_specular;

varying vec3 worldPos;
varying vec3 worldNormal;
varying vec2 uv;
varying vec4 color;
varying vec4 shadowCoord;

const float SHADOW_TEXEL = 1.0 / 2048.0;
const float TAP_SPACING = 1.5 * SHADOW_TEXEL;
// The light's colours are dim; this brings a fully lit surface close to its own colour.
const float EXPOSURE = 3.0;
// The half-vector highlight is wider than a reflected one; four times the
// exponent keeps its size.
const float SHININESS = 96.0;

float litTap(vec3 coord, float bias, vec2 offset) {
    return (coord.z - bias > texture2D(shadowMap, coord.xy + offset).r) ? 0.0 : 1.0;
}

// Fraction of the light that reaches this point, 0 (shadowed) to 1 (lit),
// averaged over a 3x3 patch of the shadow map so shadow edges are soft. When
// the patch's four corners agree the point is wholly lit or wholly shadowed,
// and the other five taps would not change the answer.
float lightVisibility(float facing) {
    if (hasShadow != 1 || shadowCoord.w <= 0.0)
        return 1.0;
    vec3 coord = shadowCoord.xyz / shadowCoord.w;
    if (coord.x <= 0.0 || coord.x >= 1.0 || coord.y <= 0.0 || coord.y >= 1.0 || coord.z >= 1.0)
        return 1.0;
    // Surfaces turned away from the light need a larger margin against acne.
    float bias = 0.0015 + 0.003 * (1.0 - facing);
    float corners = litTap(coord, bias, vec2(-TAP_SPACING, -TAP_SPACING)) +
                    litTap(coord, bias, vec2(TAP_SPACING, -TAP_SPACING)) +
                    litTap(coord, bias, vec2(-TAP_SPACING, TAP_SPACING)) +
                    litTap(coord, bias, vec2(TAP_SPACING, TAP_SPACING));
    if (corners == 0.0 || corners == 4.0)
        return corners * 0.25;
    float edges = litTap(coord, bias, vec2(0.0, -TAP_SPACING)) +
                  litTap(coord, bias, vec2(-TAP_SPACING, 0.0)) +
                  litTap(coord, bias, vec2(0.0, 0.0)) +
                  litTap(coord, bias, vec2(TAP_SPACING, 0.0)) +
                  litTap(coord, bias, vec2(0.0, TAP_SPACING));
    return (corners + edges) / 9.0;
}

void main() {
    // The shadow pass puts the eye at the light; there only depth is kept.
    if (cameraPos == lightPos) {
        gl_FragColor = vec4(0.0);
        return;
    }
    vec4 base = (useTexture == 1) ? texture2D(texture, uv) : color;
    vec3 normal = normalize(worldNormal);
    vec3 toLight = normalize(lightPos - worldPos);
    vec3 toEye = normalize(cameraPos - worldPos);

    vec3 lit = base.rgb * light_ambient * EXPOSURE;
    float facing = dot(normal, toLight);
    // Turned away from the light: no diffuse, no highlight, nothing to shadow.
    if (facing > 0.0) {
        float specular = pow(max(dot(normal, normalize(toLight + toEye)), 0.0), SHININESS);
        float visibility = lightVisibility(facing);
        lit += visibility * (base.rgb * facing * light_diffuse * EXPOSURE +
                             specular * 0.4 * light_specular);
    }

    // The main pass adds a cool rim so figures stand out against the arena.
    if (mode == 1) {
        float rim = 1.0 - max(dot(normal, toEye), 0.0);
        lit += vec3(0.25, 0.3, 0.45) * (rim * rim * rim * 0.5);
    }
    gl_FragColor = vec4(lit, base.a);
}
