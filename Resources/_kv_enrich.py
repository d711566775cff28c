"""Reads the property values of a Blueprint's component templates.

The connector runs this script with __kv_payload_path naming a JSON file
{"blueprintPath": ..., "components": [{"name", "class", "templatePath"}, ...]}
and writes what it finds to __kv_result_path:
{"success": true, "components": {component name: {property name: export text}}}.

Values are the editor's export text, exactly what the deploy script takes back
as a component's `properties` (see Resources/README.md). A component whose
template cannot be found is left out of `components`. Everything lives inside
one function that is deleted again, so __main__ keeps nothing of this script.
"""


def _kv_enrich():
    import json

    import editor

    scene_component = '/Script/Engine.SceneComponent'
    transform_properties = ('RelativeLocation', 'RelativeRotation', 'RelativeScale3D')
    cpf_edit = 0x1
    cpf_disable_edit_on_template = 0x800

    def read_payload():
        with open(__kv_payload_path, encoding='utf-8') as payload_file:
            payload = json.load(payload_file)
        if not isinstance(payload, dict) or not isinstance(payload.get('components'), list):
            raise ValueError('the payload has no components list')
        return payload

    def is_editable_on_template(template_class, property_name):
        found = template_class.find_property(property_name)
        return (found is not None and found.has_any_flags(cpf_edit)
                and not found.has_any_flags(cpf_disable_edit_on_template))

    def read_template_properties(template):
        """The transform of a scene component, then every editable value that differs from the class default."""
        template_class = template.get_class()
        properties = {}
        if template_class.is_child_of(scene_component):
            for name in transform_properties:
                properties[name] = template.get_property_text(name)
        for name, value in template.get_changed_property_texts().items():
            if name not in properties and is_editable_on_template(template_class, name):
                properties[name] = value
        return properties

    def find_template(component):
        template_path = component.get('templatePath')
        return editor.find_object(template_path) if isinstance(template_path, str) else None

    def enrich_components(payload):
        components = {}
        for component in payload['components']:
            name = component.get('name') if isinstance(component, dict) else None
            if not isinstance(name, str):
                continue
            template = find_template(component)
            if template is None:
                editor.log_warning(f"Enrich: no template for component '{name}' of {payload.get('blueprintPath')}")
                continue
            components[name] = read_template_properties(template)
        return components

    def write_result(result):
        text = json.dumps(result, ensure_ascii=False)
        with open(__kv_result_path, 'w', encoding='utf-8') as result_file:
            result_file.write(text)

    try:
        result = {'success': True, 'components': enrich_components(read_payload())}
    except Exception as error:  # every failure goes back to the connector as the result's error
        result = {'success': False, 'error': f'{type(error).__name__}: {error}'}
    write_result(result)


try:
    _kv_enrich()
finally:
    del _kv_enrich
